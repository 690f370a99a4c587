// mcusim-panel: the front panel's microcontroller on a pseudo-terminal (or a
// given serial device). Prints the device to give mediahost (--panel-port),
// asks for the status now and then, shows every answer, and sends reads and
// writes typed on standard input (type "help").

#include "mediahost/serial/Payloads.h"
#include "mediahost/serial/Protocol.h"
#include "mediahost/sim/FrameText.h"
#include "mediahost/sim/PanelSimulator.h"
#include "mediahost/sim/SimConsole.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

namespace {

const char* helpText =
    "commands:\n"
    "  read GROUP CMD [SUB]           a read request (e.g. read 4 0x03 for the status)\n"
    "  write GROUP CMD SUB HEXDATA    a write (e.g. write 4 0x90 0 0501000000010000)\n"
    "  key SUB                        a key write 4/0x05 (0x14 previous, 0x16 next, ...)\n"
    "  browse open | page N | select K | up LEVEL   the panel's folder browser";

QByteArray browserData(quint8 b0, quint8 b1, quint8 b4)
{
    QByteArray d(6, '\0');
    d[0] = char(b0);
    d[1] = char(b1);
    d[4] = char(b4);
    return d;
}

bool runBrowse(PanelSimulator& panel, const QStringList& w)
{
    uint n = 0;
    if (w.size() == 2 && w[1] == QLatin1String("open")) {
        panel.sendWrite(Uart::GroupBrowser, Uart::CmdBrowserOpen, 0, QByteArray(1, '\0'));
        return true;
    }
    if (w.size() != 3 || !simNumber(w[2], 255, &n))
        return false;
    if (w[1] == QLatin1String("page"))
        panel.sendWrite(Uart::GroupBrowser, Uart::CmdPanelPage, 0, browserData(2, 0, quint8(n)));
    else if (w[1] == QLatin1String("select"))
        panel.sendWrite(Uart::GroupBrowser, Uart::CmdBrowserMove, 0, browserData(0, 0, quint8(n)));
    else if (w[1] == QLatin1String("up"))
        panel.sendWrite(Uart::GroupBrowser, Uart::CmdBrowserMove, 0, browserData(1, 0, quint8(n)));
    else
        return false;
    return true;
}

void run(PanelSimulator& panel, const QStringList& w)
{
    uint g = 0, c = 0, s = 0;
    const QString& verb = w.first();
    const bool header = w.size() >= 3 && simNumber(w[1], 255, &g) && simNumber(w[2], 255, &c);
    if (verb == QLatin1String("read") && header && (w.size() == 3 || (w.size() == 4 && simNumber(w[3], 255, &s))))
        panel.sendRead(quint8(g), quint8(c), quint8(s));
    else if (verb == QLatin1String("write") && header && w.size() == 5 && simNumber(w[3], 255, &s))
        panel.sendWrite(quint8(g), quint8(c), quint8(s), QByteArray::fromHex(w[4].toLatin1()));
    else if (verb == QLatin1String("key") && w.size() == 2 && simNumber(w[1], 255, &s))
        panel.sendWrite(Uart::GroupSystem, Uart::CmdKey, quint8(s), QByteArray(1, '\0'));
    else if (verb == QLatin1String("browse") && runBrowse(panel, w))
        return;
    else
        simPrint(QString::fromLatin1(helpText));
}

void show(const Frame& f)
{
    if (f.group == Uart::GroupBrowser && f.command == Uart::CmdPanelPage) {
        if (const auto page = Payloads::parseBrowserPage(f.data, Payloads::NameLength::TwoBytes)) {
            simPrint(QStringLiteral("-> browser page %1/%2 cursor %3 depth %4")
                         .arg(page->page).arg(page->lastPage).arg(page->cursor).arg(page->depth));
            for (const BriwserFileInfo& e : page->entries)
                simPrint(QStringLiteral("     %1 %2").arg(e.isFile ? "file  " : "folder", e.name));
            return;
        }
    }
    simPrint(QStringLiteral("-> ") + frameText(f));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Front panel microcontroller simulator"));
    parser.addHelpOption();
    const QCommandLineOption port("port", "Serial device to use instead of a new pseudo-terminal.", "device");
    const QCommandLineOption poll("poll-ms", "Ask for the status this often (0: never).", "ms", "2000");
    parser.addOptions({port, poll});
    parser.process(app);

    uint pollMs = 0;
    if (!simNumber(parser.value(poll), 3600000, &pollMs)) {
        simPrint(QStringLiteral("--poll-ms takes a number of milliseconds"));
        return 2;
    }
    std::unique_ptr<SimChannel> channel = openProgramChannel(parser.value(port));
    if (!channel)
        return 1;
    PanelSimulator panel(std::move(channel));
    simPrint(QStringLiteral("panel simulator on %1").arg(panel.path()));
    QObject::connect(&panel, &PanelSimulator::frameReceived, &show);

    QTimer statusTimer;
    QObject::connect(&statusTimer, &QTimer::timeout, [&panel] { panel.sendRead(Uart::GroupSystem, Uart::CmdStatus); });
    if (pollMs > 0)
        statusTimer.start(int(pollMs));
    SimConsole console;
    QObject::connect(&console, &SimConsole::command, [&panel](const QStringList& w) { run(panel, w); });
    return app.exec();
}
