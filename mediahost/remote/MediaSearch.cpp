#include "mediahost/remote/MediaSearch.h"

QVector<MediaObjectInfo> searchMediaList(const QVector<MediaObjectInfo>& mediaList, const QString& text)
{
    QVector<MediaObjectInfo> found;
    for (const MediaObjectInfo& entry : mediaList) {
        if (entry.fileName.contains(text, Qt::CaseSensitive))
            found.append(entry);
    }
    return found;
}
