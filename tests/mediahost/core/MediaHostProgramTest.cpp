// The mediahost program itself against the simulators.

#include "TestSupport.h"

#include <QProcess>
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

TEST_F(MediaHostProgramTest, RejectsUnknownOptions)
{
    host.start(QStringLiteral(MEDIAHOST_EXE), {"--no-such-option"});
    ASSERT_TRUE(host.waitForFinished(30000));
    EXPECT_EQ(host.exitCode(), 2);
}

} // namespace
