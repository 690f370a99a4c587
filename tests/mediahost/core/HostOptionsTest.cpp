#include "mediahost/core/HostOptions.h"

#include <gtest/gtest.h>

namespace {

std::optional<HostOptions> parse(const QStringList& args, QString* message = nullptr)
{
    QString ignored;
    return parseHostOptions(QStringList{"mediahost"} + args, message ? message : &ignored);
}

TEST(HostOptions, DefaultsAreTheBoardsDevices)
{
    const auto o = parse({});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->dspPort, QStringLiteral("/dev/ttyS2"));
    EXPECT_EQ(o->panelPort, QStringLiteral("/dev/ttyS1"));
    EXPECT_EQ(o->mediaRoot, QStringLiteral("/run/media"));
    EXPECT_EQ(o->remotePort, 8080);
}

TEST(HostOptions, OverridesAndErrors)
{
    const auto o = parse({"--dsp-port", "/dev/pts/7", "--panel-port=/dev/pts/8", "--port", "18080",
                          "--media-root", "/tmp/m"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->dspPort, QStringLiteral("/dev/pts/7"));
    EXPECT_EQ(o->panelPort, QStringLiteral("/dev/pts/8"));
    EXPECT_EQ(o->remotePort, 18080);
    EXPECT_EQ(o->mediaRoot, QStringLiteral("/tmp/m"));

    for (const QStringList& bad : {QStringList{"--port", "0"}, QStringList{"--port", "70000"},
                                   QStringList{"--bogus"}, QStringList{"extra"}, QStringList{"--dsp-port"}}) {
        QString message;
        EXPECT_FALSE(parse(bad, &message)) << bad.join(' ').toStdString();
        EXPECT_FALSE(message.isEmpty());
    }
}

} // namespace
