// The mediahost program itself against the simulators.

#include "TestSupport.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class MediaHostProgramTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (host.state() != QProcess::NotRunning) {
            host.kill();
            host.waitForFinished(10000);
        }
    }
    QProcess host;
};

TEST_F(MediaHostProgramTest, RunsBothLinksAndLogsWithTimestamps)
{
    auto dsp = makeDspSimulator();
    auto panel = makePanelSimulator();
    ASSERT_TRUE(dsp && panel);
    host.start(QStringLiteral(MEDIAHOST_EXE), {"--dsp-port", dsp->path(), "--panel-port", panel->path()});
    ASSERT_TRUE(host.waitForStarted(10000));

    ASSERT_TRUE(waitFor([&] { return countFrames(dsp->received(), 4, 0x25) >= 3; }));
    ASSERT_TRUE(waitFor([&] {
        panel->sendRead(4, 0x03);
        return waitFor([&] { return !panel->received().isEmpty(); }, 500);
    }));
    EXPECT_EQ(panel->received().first().data.size(), 85);

    host.kill();
    host.waitForFinished(10000);
    const QString log = QString::fromUtf8(host.readAllStandardError());
    const QRegularExpression stamped(QStringLiteral("^\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3} DSD-QMRTV-2022$"),
                                     QRegularExpression::MultilineOption);
    EXPECT_TRUE(stamped.match(log).hasMatch()) << log.toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("DSD data synchronization succeeds!")));
}

TEST_F(MediaHostProgramTest, APortThatCannotBeOpenedIsLoggedAndTheRestRuns)
{
    auto dsp = makeDspSimulator();
    ASSERT_TRUE(dsp);
    host.start(QStringLiteral(MEDIAHOST_EXE), {"--dsp-port", dsp->path(), "--panel-port", "/nonexistent/ttyS1"});
    ASSERT_TRUE(host.waitForStarted(10000));
    ASSERT_TRUE(waitFor([&] { return countFrames(dsp->received(), 4, 0x25) >= 3; }));
    EXPECT_EQ(host.state(), QProcess::Running);
    host.kill();
    host.waitForFinished(10000);
    EXPECT_TRUE(QString::fromUtf8(host.readAllStandardError()).contains(QStringLiteral("devicePat is Null")));
}

quint16 freeTcpPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

TEST_F(MediaHostProgramTest, TheLibraryStartsAfterTheResumePointAndServesTheDspState)
{
    auto dsp = makeDspSimulator();
    auto panel = makePanelSimulator();
    ASSERT_TRUE(dsp && panel);
    dsp->system.setVolume(37);
    dsp->setResumePoint(1, QStringLiteral("NO-SUCH-UUID"), QStringLiteral("/run/media/sdz9/a.mp3"));
    MediaTree media({"empty/"});
    const quint16 port = freeTcpPort();
    ASSERT_NE(port, 0);
    host.start(QStringLiteral(MEDIAHOST_EXE), {"--dsp-port", dsp->path(), "--panel-port", panel->path(),
                                               "--media-root", media.root(), "--port", QString::number(port)});
    ASSERT_TRUE(host.waitForStarted(10000));

    // The command server exists only with the library, a few seconds in.
    QJsonObject state;
    ASSERT_TRUE(waitFor([&] {
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, port);
        if (!client.waitForConnected(1000))
            return false;
        client.write("/R4/Get/Currentdata");
        QByteArray answer;
        while (client.waitForReadyRead(2000)) {
            answer += client.readAll();
            const int json = answer.indexOf('{');
            const auto doc = json < 0 ? QJsonDocument() : QJsonDocument::fromJson(answer.mid(json));
            if (doc.isObject() && doc.object().value("Systemvolume").toInt() == 37) {
                state = doc.object();
                return true;
            }
        }
        return false;
    }, 60000));
    EXPECT_EQ(state.value("Soundsource").toInt(), 5);
    EXPECT_EQ(state.value("SysMute").toBool(), true);
    const QString log = QString::fromUtf8(host.readAllStandardError());
    EXPECT_TRUE(log.contains(QStringLiteral("/run/media/sdz9/a.mp3"))) << log.toStdString();
}

TEST_F(MediaHostProgramTest, RejectsUnknownOptions)
{
    host.start(QStringLiteral(MEDIAHOST_EXE), {"--no-such-option"});
    ASSERT_TRUE(host.waitForFinished(30000));
    EXPECT_EQ(host.exitCode(), 2);
}

} // namespace
