#include "TestSupport.h"

#include "mediahost/core/Records.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// One Qt application object for the whole test program.
class QtApplication : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "mediahost-test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
        registerRecordTypes();
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QCoreApplication> app_;
};

[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtApplication);

template <typename Sim>
std::unique_ptr<Sim> makeSimulator()
{
    QString error;
    std::unique_ptr<SimChannel> channel = SimChannel::openPty(&error);
    if (!channel) {
        ADD_FAILURE() << error.toStdString();
        return nullptr;
    }
    return std::make_unique<Sim>(std::move(channel));
}

} // namespace

bool waitFor(const std::function<bool()>& condition, int timeoutMs)
{
    return QTest::qWaitFor(condition, timeoutMs);
}

void spin(int ms) { QTest::qWait(ms); }

std::unique_ptr<DspSimulator> makeDspSimulator() { return makeSimulator<DspSimulator>(); }
std::unique_ptr<PanelSimulator> makePanelSimulator() { return makeSimulator<PanelSimulator>(); }

int countFrames(const QList<Frame>& frames, quint8 group, quint8 command)
{
    int n = 0;
    for (const Frame& f : frames)
        n += f.group == group && f.command == command ? 1 : 0;
    return n;
}

MediaTree::MediaTree(const QStringList& files) : dir_(QStringLiteral("/tmp/mhmedia-XXXXXX"))
{
    for (const QString& relative : files) {
        const QString full = path(relative);
        QDir().mkpath(full.left(full.lastIndexOf(QLatin1Char('/'))));
        if (!relative.endsWith(QLatin1Char('/'))) {
            QFile f(full);
            f.open(QIODevice::WriteOnly);
        }
    }
}
