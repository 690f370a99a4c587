#include "RemoteTestSupport.h"

#include "mediahost/remote/MediaSearch.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

class QtApplication : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "remote-test";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QCoreApplication>(argc, argv);
        registerRecordTypes();
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QCoreApplication> app_;
};

[[maybe_unused]] const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtApplication);

} // namespace

void searchLikeTheLibrary(RemoteCommandServer& server, const QVector<MediaObjectInfo>& mediaList,
                          const QString& text)
{
    if (mediaList.isEmpty())
        return;
    server.setSearchResults(searchMediaList(mediaList, text));
    server.sendsearchresult();
}
