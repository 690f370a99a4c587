// mediahost: the headless program of the processor board.

#include "mediahost/core/DebugLog.h"
#include "mediahost/core/HostOptions.h"
#include "mediahost/core/appinit.h"
#include "mediahost/media/MusicBox.h"
#include "mediahost/remote/QHttpServer.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QTextCodec>

#include <cstdio>

// The media library with its command server on TCP, made once the DSP has
// returned the resume point.
static MediaLibrary* createLibrary(const HostOptions& options, QObject* parent)
{
    auto* server = new QHttpServer(options.mediaRoot);
    if (!server->listen(options.remotePort))
        qDebug() << "command server cannot listen on port" << options.remotePort << "; no remote clients";
    return new MusicBox(options, parent, server);
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    installDebugLog();

    QString message;
    std::optional<HostOptions> options = parseHostOptions(app.arguments(), &message);
    if (!options) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(message));
        return message.startsWith(QLatin1String("Usage")) ? 0 : 2;
    }
    // Paths given on the command line mean what they meant where it was typed.
    for (QString* path : {&options->dspPort, &options->panelPort, &options->mediaRoot})
        if (!path->isEmpty())
            *path = QDir::cleanPath(QDir::current().absoluteFilePath(*path));
    QDir::setCurrent(QCoreApplication::applicationDirPath());

    const HostOptions host = *options;
    appinit init(host, [host](QObject* parent) { return createLibrary(host, parent); });
    return app.exec();
}
