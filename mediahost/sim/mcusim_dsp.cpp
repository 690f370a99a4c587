// mcusim-dsp: the DSP microcontroller on a pseudo-terminal (or a given serial
// device) for running mediahost without the board. Prints the device to give
// mediahost (--dsp-port), then what the host writes; reads commands from
// standard input (type "help").

#include "mediahost/sim/DspSimulator.h"
#include "mediahost/serial/Protocol.h"
#include "mediahost/sim/FrameText.h"
#include "mediahost/sim/SimConsole.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

const char* helpText =
    "commands:\n"
    "  key prev|next        a previous/next key in the next heartbeat answer\n"
    "  op CODE ARG          an operation code (6 open browser, 7 page, 8 select, 9 up, 16-255 panel)\n"
    "  volume N | source N | sound 0|1   change the DSP's own System values\n"
    "  upgrade STEPS        run a panel firmware upgrade of STEPS 48-byte steps\n"
    "  silent | answer      stop / resume answering\n"
    "  show                 what the DSP holds";

void show(const DspSimulator& dsp)
{
    simPrint(QStringLiteral("system source %1 volume %2 soundOn %3 playMode %4")
                 .arg(dsp.system.source()).arg(dsp.system.volume()).arg(dsp.system.soundOn())
                 .arg(dsp.system.playMode()));
    simPrint(QStringLiteral("resume minute %1 device \"%2\" path \"%3\"")
                 .arg(dsp.resumeRecord.minute).arg(dsp.resumeRecord.deviceIdText(), dsp.resumeRecord.pathText()));
    simPrint(QStringLiteral("current file \"%1\" album \"%2\" artist \"%3\"")
                 .arg(dsp.currentFile.name, dsp.currentFile.album, dsp.currentFile.artist));
    simPrint(QStringLiteral("heartbeat track %1/%2 at %3 of %4 s")
                 .arg(dsp.lastHeartbeat.trackNumber).arg(dsp.lastHeartbeat.trackCount)
                 .arg(dsp.lastHeartbeat.positionSeconds).arg(dsp.lastHeartbeat.lengthSeconds));
}

void run(DspSimulator& dsp, const QStringList& w)
{
    uint a = 0, b = 0;
    const QString& verb = w.first();
    if (verb == QLatin1String("key") && w.size() == 2 && (w[1] == "prev" || w[1] == "next"))
        dsp.queueOperation(1, w[1] == "next" ? 1 : 0); // operation 1: previous/next
    else if (verb == QLatin1String("op") && w.size() == 3 && simNumber(w[1], 255, &a) && simNumber(w[2], 255, &b))
        dsp.queueOperation(quint8(a), quint8(b));
    else if (verb == QLatin1String("volume") && w.size() == 2 && simNumber(w[1], 255, &a))
        dsp.system.setVolume(quint16(a));
    else if (verb == QLatin1String("source") && w.size() == 2 && simNumber(w[1], 255, &a))
        dsp.system.setSource(quint8(a));
    else if (verb == QLatin1String("sound") && w.size() == 2 && simNumber(w[1], 1, &a))
        dsp.system.setSoundOn(quint8(a));
    else if (verb == QLatin1String("upgrade") && w.size() == 2 && simNumber(w[1], 100000, &a))
        dsp.startPanelUpgrade(int(a));
    else if (verb == QLatin1String("silent"))
        dsp.setAnswering(false);
    else if (verb == QLatin1String("answer"))
        dsp.setAnswering(true);
    else if (verb == QLatin1String("show"))
        show(dsp);
    else
        simPrint(QString::fromLatin1(helpText));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    registerRecordTypes();
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("DSP microcontroller simulator"));
    parser.addHelpOption();
    const QCommandLineOption port("port", "Serial device to use instead of a new pseudo-terminal.", "device");
    const QCommandLineOption channels("channels", "Output channels (McuSundry byte 0).", "n", "3");
    const QCommandLineOption minute("resume-minute", "Minute of the resume point.", "m", "0");
    const QCommandLineOption device("resume-device", "Device id (file-system UUID) of the resume point.", "uuid");
    const QCommandLineOption path("resume-path", "File path of the resume point.", "path");
    parser.addOptions({port, channels, minute, device, path});
    parser.process(app);

    uint channelCount = 0, resumeMinute = 0;
    if (!simNumber(parser.value(channels), 255, &channelCount) || !simNumber(parser.value(minute), 255, &resumeMinute)) {
        simPrint(QStringLiteral("--channels and --resume-minute take numbers from 0 to 255"));
        return 2;
    }
    std::unique_ptr<SimChannel> channel = openProgramChannel(parser.value(port));
    if (!channel)
        return 1;
    DspSimulator dsp(std::move(channel));
    dsp.setChannelCount(int(channelCount));
    dsp.setResumePoint(quint8(resumeMinute), parser.value(device), parser.value(path));
    simPrint(QStringLiteral("DSP simulator on %1").arg(dsp.path()));

    QObject::connect(&dsp, &DspSimulator::frameReceived, [](const Frame& f) {
        // Heartbeats come every few tens of milliseconds; show the rest.
        if (!(f.group == Uart::GroupSystem && f.command == Uart::CmdHeartbeat))
            simPrint(QStringLiteral("<- ") + frameText(f));
    });
    SimConsole console;
    QObject::connect(&console, &SimConsole::command, [&dsp](const QStringList& w) { run(dsp, w); });
    return app.exec();
}
