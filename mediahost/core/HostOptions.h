#pragma once
// The media host's fixed device names and ports, which the command line may
// override for tests and demos.

#include <QString>
#include <QStringList>

#include <optional>

struct HostOptions {
    QString dspPort = QStringLiteral("/dev/ttyS2");
    QString panelPort = QStringLiteral("/dev/ttyS1");
    // Where storage devices are mounted.
    QString mediaRoot = QStringLiteral("/run/media");
    // TCP port of the command server.
    quint16 remotePort = 8080;
};

// Parses --dsp-port, --panel-port, --media-root and --port; nothing on an
// unknown option or a bad value (the message says why).
std::optional<HostOptions> parseHostOptions(const QStringList& arguments, QString* message);
