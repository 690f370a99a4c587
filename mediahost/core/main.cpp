// mediahost: the headless program of the processor board.

#include "mediahost/core/DebugLog.h"
#include "mediahost/core/HostOptions.h"
#include "mediahost/core/appinit.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextCodec>

#include <cstdio>

#if __has_include("mediahost/media/MusicBox.h")
#include "mediahost/media/MusicBox.h"
#include "mediahost/remote/QHttpServer.h"
static MediaLibraryFactory libraryFactory(const HostOptions& options)
{
    return [options](QObject* parent) -> MediaLibrary* {
        auto* server = new QHttpServer(options.mediaRoot);
        server->listen(options.remotePort); // without it the library runs on without remote clients
        return new MusicBox(options, parent, server);
    };
}
#else
static MediaLibraryFactory libraryFactory(const HostOptions&) { return {}; }
#endif

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    installDebugLog();

    QString message;
    const std::optional<HostOptions> options = parseHostOptions(app.arguments(), &message);
    if (!options) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        return message.startsWith(QLatin1String("Usage")) ? 0 : 2;
    }
    appinit init(*options, libraryFactory(*options));
    return app.exec();
}
