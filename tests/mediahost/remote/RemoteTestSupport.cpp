#include "RemoteTestSupport.h"

#include "mediahost/remote/MediaSearch.h"

void searchLikeTheLibrary(RemoteCommandServer& server, const QVector<MediaObjectInfo>& mediaList,
                          const QString& text)
{
    if (mediaList.isEmpty())
        return;
    server.setSearchResults(searchMediaList(mediaList, text));
    server.sendsearchresult();
}
