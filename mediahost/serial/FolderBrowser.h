#pragma once
// The serial folder browser: an entry list, pages of 7 and a cursor. The DSP
// link and the panel link each keep one; they differ only in how selecting an
// entry and going up move their browse path (see DSPSerial and Serial).

#include "mediahost/core/Records.h"
#include "mediahost/serial/Payloads.h"

#include <QList>
#include <QVector>

#include <optional>

class FolderBrowser {
public:
    static constexpr int PageSize = 7;
    static constexpr int MaxNameUnits = 40;
    // The cursor a "previous page" shows (past the page's last row).
    static constexpr int CursorAfterPageBack = 9;

    explicit FolderBrowser(const QString& deviceRoot = QStringLiteral("/run/media"));

    // Where storage devices are mounted; going up to level 0 lists them.
    void setDeviceRoot(const QString& root) { deviceRoot_ = root; }
    const QString& deviceRoot() const { return deviceRoot_; }

    // ScanFileDier: list the folder that `p` names up to its last "/". A
    // missing or empty folder (or one without playable entries) changes
    // nothing; returns whether the list was replaced.
    bool listFolder(const QString& p);
    // ShowGroupdata.
    void showPage(int page, int cursor);
    // separationGroup: show the page holding the first entry named `name`.
    void locate(const QString& name);
    // Previous page (shows it with cursor 9, page 0 stays) / next page.
    void pageBack();
    void pageForward();
    // Entry k of the shown page, if k is below the page's entry count.
    std::optional<BriwserFileInfo> shownEntry(int k) const;

    // Going up to `level` along the "/"-parts of `along`: the target folder
    // ("/" + part 1 + "/" + part 2, then one more part per level).
    static QString upTarget(const QString& along, int level);
    // Lists `target` (the device list when it is the device root) and locates
    // the next-to-last part of `browsePath`, the folder that was browsed.
    void goUpTo(const QString& target, const QString& browsePath,
                const QList<Deviceinformation>& devices);

    const QVector<BriwserFileInfo>& entries() const { return entries_; }
    Payloads::BrowserPage page() const;
    int pageIndex() const { return page_; }
    int cursor() const { return cursor_; }
    int shownCount() const { return count_; }

private:
    QString deviceRoot_;
    QVector<BriwserFileInfo> entries_;
    int page_ = 0;
    int lastPage_ = 0;
    int cursor_ = 0;
    int count_ = 0;
    int depth_ = 0;
    QVector<BriwserFileInfo> cache_;
};
