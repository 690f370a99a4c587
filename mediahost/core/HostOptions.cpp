#include "mediahost/core/HostOptions.h"

#include <QCommandLineParser>

std::optional<HostOptions> parseHostOptions(const QStringList& arguments, QString* message)
{
    HostOptions options;
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Media host of the processor board"));
    parser.addHelpOption();
    const QCommandLineOption dsp(QStringLiteral("dsp-port"),
                                 QStringLiteral("UART of the DSP microcontroller (default %1).").arg(options.dspPort),
                                 QStringLiteral("device"), options.dspPort);
    const QCommandLineOption panel(QStringLiteral("panel-port"),
                                   QStringLiteral("UART of the panel microcontroller (default %1).").arg(options.panelPort),
                                   QStringLiteral("device"), options.panelPort);
    const QCommandLineOption media(QStringLiteral("media-root"),
                                   QStringLiteral("Where storage devices are mounted (default %1).").arg(options.mediaRoot),
                                   QStringLiteral("folder"), options.mediaRoot);
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("TCP port of the command server (default %1).").arg(options.remotePort),
                                  QStringLiteral("port"), QString::number(options.remotePort));
    parser.addOptions({dsp, panel, media, port});
    if (!parser.parse(arguments)) {
        *message = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        *message = parser.helpText();
        return std::nullopt;
    }
    bool ok = false;
    const uint tcpPort = parser.value(port).toUInt(&ok);
    if (!ok || tcpPort == 0 || tcpPort > 65535) {
        *message = QStringLiteral("--port needs a number from 1 to 65535");
        return std::nullopt;
    }
    options.dspPort = parser.value(dsp);
    options.panelPort = parser.value(panel);
    options.mediaRoot = parser.value(media);
    options.remotePort = quint16(tcpPort);
    if (!parser.positionalArguments().isEmpty()) {
        *message = QStringLiteral("unexpected argument %1").arg(parser.positionalArguments().first());
        return std::nullopt;
    }
    return options;
}
