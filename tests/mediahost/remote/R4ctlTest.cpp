// r4ctl against a live command server.

#include "mediahost/remote/QHttpServer.h"

#include "RemoteTestSupport.h"

#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct R4ctlRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

class R4ctl : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        server = std::make_unique<QHttpServer>(root.path());
        ASSERT_TRUE(server->listen(QHostAddress::LocalHost, 0));
    }

    // Runs r4ctl while this event loop serves it.
    R4ctlRun run(const QStringList& arguments)
    {
        QProcess process;
        process.start(QStringLiteral(R4CTL_PATH), arguments);
        EXPECT_TRUE(process.waitForStarted(WaitMs));
        EXPECT_TRUE(waitFor([&] { return process.state() == QProcess::NotRunning; }, WaitMs));
        return R4ctlRun{process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                   process.readAllStandardOutput(), process.readAllStandardError()};
    }

    QStringList withPort(QStringList arguments) const
    {
        return QStringList{"--port", QString::number(server->serverPort())} + arguments;
    }

    QTemporaryDir root;
    std::unique_ptr<QHttpServer> server;
};

TEST_F(R4ctl, PrintsTheCompleteAnswerOfAQuery)
{
    server->setField(QStringLiteral("Currentlyname"), QStringLiteral("未知.flac"));
    const R4ctlRun r = run(withPort({"/R4/Get/Currentdata"}));
    EXPECT_EQ(r.status, 0) << r.err.constData();
    EXPECT_TRUE(r.out.startsWith("/R4/Get/Currentdata {\n"));
    EXPECT_TRUE(r.out.contains("\"Currentlyname\": \"未知.flac\""));
    EXPECT_TRUE(r.out.endsWith("}\n"));

    QVector<MediaObjectInfo> list{{"a.mp3", "/m/a.mp3", "mp3", "U"}};
    QObject::connect(server.get(), &QHttpServer::SendSearchFileName,
                     [&](const QString& text) { searchLikeTheLibrary(*server, list, text); });
    const R4ctlRun search = run(withPort({"/R4/Get/Search/a"}));
    EXPECT_EQ(search.status, 0);
    EXPECT_TRUE(search.out.startsWith("/R4/Get/Search/[[[[") && search.out.endsWith("]]]\n"));
}

TEST_F(R4ctl, SendsACommandWithoutWaitingForAnAnswer)
{
    quint8 mode = 0;
    QObject::connect(server.get(), &QHttpServer::Setbackmode, [&](quint8 m) { mode = m; });
    const R4ctlRun r = run(withPort({"--timeout", "30", "/R4/Set/Playbackmode/3"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(waitFor([&] { return mode == 3; }, WaitMs));
}

TEST_F(R4ctl, ReportsMissingAnswersAndConnections)
{
    const R4ctlRun silent = run(withPort({"--timeout", "0.5", "/R4/Get/Folder/no/such/folder/"}));
    EXPECT_EQ(silent.status, 1);
    EXPECT_TRUE(silent.err.contains("no complete answer"));

    const quint16 port = server->serverPort();
    server.reset();
    const R4ctlRun refused = run({"--port", QString::number(port), "/R4/Get/Currentdata"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains("cannot connect"));

    EXPECT_EQ(run({"--port", "x", "/R4/Set/Mute/"}).status, 2);
    EXPECT_EQ(run({}).status, 2);
}

} // namespace
