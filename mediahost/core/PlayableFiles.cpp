#include "mediahost/core/PlayableFiles.h"

#include <QDir>
#include <QFileInfo>

const QStringList& playableSuffixes()
{
    static const QStringList suffixes{
        "wma", "aif", "Wma", "m4a", "MP3", "aiff", "ogg", "mp3",
        "dsf", "dff", "ape", "flac", "wav", "dts", "aac", "ac3"};
    return suffixes;
}

bool isPlayableSuffix(const QString& suffix)
{
    return playableSuffixes().contains(suffix, Qt::CaseSensitive);
}

QVector<BriwserFileInfo> listMediaFolder(const QString& folder)
{
    QVector<BriwserFileInfo> entries;
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return entries;
    QString base = folder;
    while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
        base.chop(1);
    const QString prefix = base == QLatin1String("/") ? base : base + QLatin1Char('/');
    // QDir::Name without IgnoreCase/LocaleAware compares code units.
    const QFileInfoList infos = dir.entryInfoList(
        QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot, QDir::Name | QDir::DirsFirst);
    for (const QFileInfo& info : infos) {
        const bool isFolder = info.isDir();
        if (!isFolder && !isPlayableSuffix(info.suffix()))
            continue;
        entries.append(BriwserFileInfo{!isFolder, info.fileName(), prefix + info.fileName()});
    }
    return entries;
}
