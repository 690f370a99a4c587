#include "mediahost/serial/FolderBrowser.h"

#include "mediahost/core/PlayableFiles.h"

namespace {

QString partAt(const QStringList& parts, int i) { return i < parts.size() ? parts.at(i) : QString(); }

} // namespace

FolderBrowser::FolderBrowser(const QString& deviceRoot) : deviceRoot_(deviceRoot) {}

bool FolderBrowser::listFolder(const QString& p)
{
    const int slash = p.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return false;
    const QVector<BriwserFileInfo> found = listMediaFolder(p.left(slash + 1));
    if (found.isEmpty())
        return false;
    entries_ = found;
    return true;
}

void FolderBrowser::showPage(int page, int cursor)
{
    const int total = entries_.size();
    if (total == 0)
        return;
    lastPage_ = (total - 1) / PageSize;
    page_ = page;
    if (page < 0 || page > lastPage_)
        return;
    cursor_ = cursor;
    count_ = qMin(total - PageSize * page, PageSize);
    // A file directly in a device's root ("/run/media/sda1/x") has depth 1.
    const int parts = entries_.first().path.split(QLatin1Char('/')).size();
    depth_ = qMax(0, parts - 4);
    cache_.clear();
    for (int i = 0; i < count_; ++i) {
        const BriwserFileInfo& e = entries_.at(PageSize * page + i);
        cache_.append(BriwserFileInfo{e.isFile, e.name.left(MaxNameUnits), QString()});
    }
}

void FolderBrowser::locate(const QString& name)
{
    for (int i = 0; i < entries_.size(); ++i) {
        if (entries_.at(i).name == name) {
            showPage(i / PageSize, i % PageSize);
            return;
        }
    }
    showPage(0, entries_.size() % PageSize);
}

void FolderBrowser::pageBack()
{
    if (page_ > 0)
        --page_;
    showPage(page_, CursorAfterPageBack);
}

void FolderBrowser::pageForward()
{
    if (page_ < lastPage_)
        ++page_;
    showPage(page_, 0);
}

std::optional<BriwserFileInfo> FolderBrowser::shownEntry(int k) const
{
    const int index = PageSize * page_ + k;
    if (entries_.isEmpty() || k < 0 || k >= count_ || index >= entries_.size())
        return std::nullopt;
    return entries_.at(index);
}

QString FolderBrowser::upTarget(const QString& along, int level)
{
    const QStringList parts = along.split(QLatin1Char('/'));
    QString target = QLatin1Char('/') + partAt(parts, 1) + QLatin1Char('/') + partAt(parts, 2);
    for (int i = 0; i < level && 3 + i < parts.size(); ++i)
        target += QLatin1Char('/') + parts.at(3 + i);
    return target;
}

void FolderBrowser::goUpTo(const QString& target, const QString& browsePath,
                           const QList<Deviceinformation>& devices)
{
    if (target == deviceRoot_) {
        if (devices.isEmpty())
            return;
        entries_.clear();
        for (const Deviceinformation& d : devices)
            entries_.append(BriwserFileInfo{false, d.label, d.mountPoint});
        locate(devices.last().label);
        return;
    }
    listFolder(target + QLatin1Char('/'));
    const QStringList parts = browsePath.split(QLatin1Char('/'));
    locate(parts.size() >= 2 ? parts.at(parts.size() - 2) : QString());
}

Payloads::BrowserPage FolderBrowser::page() const
{
    Payloads::BrowserPage p;
    p.lastPage = quint32(lastPage_);
    p.page = quint32(page_);
    p.cursor = quint8(cursor_);
    p.depth = quint8(depth_);
    p.entries = cache_;
    return p;
}
