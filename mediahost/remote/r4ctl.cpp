// r4ctl: sends one command text to the media host's remote command server and
// prints its answer, when the command has one.
//
//   r4ctl [--host H] [--port P] [--timeout S] COMMAND-TEXT
//
// Exit status: 0 done (answer printed, or a command without answer sent),
// 1 no answer within the timeout (a missing folder or an empty search is not
// answered), 2 bad arguments or no connection.

#include "mediahost/remote/RemoteAnswer.h"
#include "mediahost/remote/RemoteCommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpSocket>

#include <cstdio>

namespace {

struct ClientOptions {
    QString host;
    quint16 port = 8080;
    int timeoutMs = 5000;
    QString command;
};

int fail(int status, const QString& message)
{
    std::fprintf(stderr, "r4ctl: %s\n", qUtf8Printable(message));
    return status;
}

std::optional<ClientOptions> parseOptions(const QStringList& arguments, QString* message)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Sends one command to the media host's remote command server and prints the answer.\n"
        "Examples:\n"
        "  r4ctl /R4/Get/Currentdata\n"
        "  r4ctl /R4/Get/Folder/run/media/      (folder path from the prefix's last \"/\")\n"
        "  r4ctl /R4/Get/Search/love\n"
        "  r4ctl /R4/Set/Playbackstatus/2       (1 previous, 2 next)\n"
        "  r4ctl /R4/Set/Systemvolume/:30       (one separator before the number)\n"
        "  r4ctl /R4/Set/Playbackmode/3\n"
        "  r4ctl /R4/Set/Mute/"));
    parser.addHelpOption();
    const QCommandLineOption host(QStringLiteral("host"), QStringLiteral("Server address (default 127.0.0.1)."),
                                  QStringLiteral("H"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Server port (default 8080)."),
                                  QStringLiteral("P"), QStringLiteral("8080"));
    const QCommandLineOption timeout(QStringLiteral("timeout"),
                                     QStringLiteral("Seconds to wait for the connection and the answer (default 5)."),
                                     QStringLiteral("S"), QStringLiteral("5"));
    parser.addOptions({host, port, timeout});
    parser.addPositionalArgument(QStringLiteral("COMMAND-TEXT"), QStringLiteral("The command, sent as it stands."));
    if (!parser.parse(arguments)) {
        *message = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        *message = parser.helpText();
        return std::nullopt;
    }
    ClientOptions options;
    bool ok = false;
    const uint portNumber = parser.value(port).toUInt(&ok);
    if (!ok || portNumber == 0 || portNumber > 65535) {
        *message = QStringLiteral("--port needs a number from 1 to 65535");
        return std::nullopt;
    }
    const double seconds = parser.value(timeout).toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 3600) {
        *message = QStringLiteral("--timeout needs a number of seconds above 0");
        return std::nullopt;
    }
    if (parser.positionalArguments().size() != 1) {
        *message = QStringLiteral("give exactly one COMMAND-TEXT (see --help)");
        return std::nullopt;
    }
    options.host = parser.value(host);
    options.port = quint16(portNumber);
    options.timeoutMs = int(seconds * 1000);
    options.command = parser.positionalArguments().first();
    return options;
}

// Reads until the answer to `kind` is complete; false when the time is up or
// the server closed the connection first.
bool readAnswer(QTcpSocket& socket, RemoteCommandKind kind, QDeadlineTimer deadline, QByteArray* answer)
{
    while (!RemoteAnswer::isComplete(kind, *answer)) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
        answer->append(socket.readAll());
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QString message;
    const std::optional<ClientOptions> options = parseOptions(app.arguments(), &message);
    if (!options) {
        if (message.startsWith(QLatin1String("Usage"))) {
            std::printf("%s", qUtf8Printable(message));
            return 0;
        }
        return fail(2, message);
    }

    const QDeadlineTimer deadline(options->timeoutMs);
    QTcpSocket socket;
    socket.connectToHost(options->host, options->port);
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return fail(2, QStringLiteral("cannot connect to %1:%2: %3")
                           .arg(options->host).arg(options->port).arg(socket.errorString()));

    socket.write(options->command.toUtf8());
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return fail(2, QStringLiteral("cannot send: %1").arg(socket.errorString()));

    const std::optional<RemoteCommand> command = parseRemoteCommand(options->command);
    if (!command || !expectsAnswer(command->kind)) {
        socket.disconnectFromHost();
        if (socket.state() != QAbstractSocket::UnconnectedState)
            socket.waitForDisconnected(int(deadline.remainingTime()));
        return 0;
    }

    QByteArray answer;
    if (!readAnswer(socket, command->kind, deadline, &answer))
        return fail(1, QStringLiteral("no complete answer within %1 s").arg(options->timeoutMs / 1000.0));
    if (!answer.endsWith('\n'))
        answer.append('\n');
    std::fwrite(answer.constData(), 1, size_t(answer.size()), stdout);
    return 0;
}
