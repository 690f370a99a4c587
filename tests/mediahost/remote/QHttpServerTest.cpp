// The command server through real TCP connections on a free port.

#include "mediahost/remote/QHttpServer.h"
#include "mediahost/remote/RemoteAnswer.h"

#include "RemoteTestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// One remote client: collects everything the server writes to it.
struct Client {
    QTcpSocket socket;
    QByteArray received;
    Client() { QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); }); }
};

class RemoteServer : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        server = std::make_unique<QHttpServer>(root.path());
        ASSERT_TRUE(server->listen(QHostAddress::LocalHost, 0));
        QObject::connect(server.get(), &QHttpServer::GetSysData, [this] { ++connections; });
        QObject::connect(server.get(), &QHttpServer::requestReceived, [this] { ++requests; });
        QObject::connect(server.get(), &QHttpServer::SendSearchFileName,
                         [this](const QString& text) { searchLikeTheLibrary(*server, mediaList, text); });
    }

    // Connected and accepted as the current connection.
    std::unique_ptr<Client> connectClient()
    {
        auto client = std::make_unique<Client>();
        const int before = connections;
        client->socket.connectToHost(QHostAddress::LocalHost, server->serverPort());
        EXPECT_TRUE(waitFor([&] { return connections == before + 1; }, WaitMs));
        return client;
    }

    // Sends `request` and waits until the server has read it.
    void send(Client& client, const QByteArray& request)
    {
        const int before = requests;
        client.socket.write(request);
        ASSERT_TRUE(waitFor([&] { return requests == before + 1; }, WaitMs)) << request.constData();
    }

    // Sends a query and returns its complete answer.
    QByteArray ask(Client& client, const QByteArray& request, RemoteCommandKind kind)
    {
        client.received.clear();
        send(client, request);
        EXPECT_TRUE(waitFor([&] { return RemoteAnswer::isComplete(kind, client.received); }, WaitMs))
            << request.constData() << " got " << client.received.constData();
        return client.received;
    }

    // Nothing answered the request: the next query's answer is the first
    // thing the client receives (the server writes each answer at once).
    void expectSilence(Client& client, const QByteArray& request)
    {
        client.received.clear();
        send(client, request);
        const QByteArray answer = ask(client, "/R4/Get/Currentdata", RemoteCommandKind::Currentdata);
        EXPECT_TRUE(answer.startsWith("/R4/Get/Currentdata ")) << request.constData();
    }

    static QJsonObject stateOf(const QByteArray& answer)
    {
        return QJsonDocument::fromJson(answer.mid(int(strlen("/R4/Get/Currentdata ")))).object();
    }

    static QJsonArray arrayOf(const QByteArray& answer, int head = 0)
    {
        return QJsonDocument::fromJson(answer.mid(head + 3, answer.size() - head - 6)).array();
    }

    void makeFile(const QString& relative)
    {
        const QString path = root.filePath(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir root;
    std::unique_ptr<QHttpServer> server;
    QVector<MediaObjectInfo> mediaList;
    int connections = 0;
    int requests = 0;
};

TEST_F(RemoteServer, CurrentDataReportsTheStateAndTheFolderOfThePlayingFile)
{
    server->setField(QStringLiteral("Currentlypath"), root.filePath("sda1/Live/a.flac"));
    server->setField(QStringLiteral("Totaltime"), 245);
    server->setField(QStringLiteral("IsHiFi"), 1); // the hiFi byte
    server->setField(QStringLiteral("NoSuchField"), 1);
    auto client = connectClient();

    const QJsonObject state = stateOf(ask(*client, "/R4/Get/Currentdata", RemoteCommandKind::Currentdata));
    EXPECT_EQ(state.size(), 16);
    EXPECT_EQ(state.value("Totaltime").toInt(), 245);
    EXPECT_TRUE(state.value("IsHiFi").toBool());
    EXPECT_EQ(state.value("ListPath").toString(), root.filePath("sda1/Live"));

    // A folder query replaces the list path; a new file does not.
    makeFile("sda1/Other/b.mp3");
    ask(*client, "/R4/Get/Folder" + root.filePath("sda1/Other/").toUtf8(), RemoteCommandKind::Folder);
    server->setField(QStringLiteral("Currentlypath"), root.filePath("sda1/Live/c.flac"));
    const QJsonObject after = stateOf(ask(*client, "/R4/Get/Currentdata", RemoteCommandKind::Currentdata));
    EXPECT_EQ(after.value("ListPath").toString(), root.filePath("sda1/Other"));
}

TEST_F(RemoteServer, UnansweredRequestsStaySilent)
{
    mediaList = {{"Abc.flac", root.filePath("sda1/Abc.flac"), "flac", "U1"}};
    auto client = connectClient();
    const QByteArray silent[] = {
        "/R4/Get/Currentdata\n",
        "/R4/Get/Nothing",
        "/R4/Get/Folder" + root.filePath("missing/").toUtf8(),
        "/R4/Get/Search/abc",
        "/R4/Set/Soundsource/123456",
    };
    for (const QByteArray& request : silent)
        expectSilence(*client, request);

    mediaList.clear();
    expectSilence(*client, "/R4/Get/Search/");
}

TEST_F(RemoteServer, FolderQueryListsFoldersFirstThenPlayableFiles)
{
    for (const char* f : {"sda1/b.mp3", "sda1/a.FLAC", "sda1/notes.txt", "sda1/.hidden.mp3", "sda1/Z/x.wav",
                          "sda1/B/y.wav", "sda1/A.flac"})
        makeFile(QString::fromUtf8(f));
    auto client = connectClient();

    const QJsonArray entries = arrayOf(ask(*client, "/R4/Get/Folder" + root.filePath("sda1/").toUtf8(),
                                           RemoteCommandKind::Folder));
    QStringList names;
    for (const QJsonValue& e : entries)
        names << e.toObject().value("FileName").toString() + (e.toObject().value("FileType").toBool() ? "" : "/");
    EXPECT_EQ(names, QStringList({"B/", "Z/", "A.flac", "b.mp3"}));
    EXPECT_EQ(entries[2].toObject().value("FilaPath").toString(), root.filePath("sda1/A.flac"));
}

TEST_F(RemoteServer, FolderQueryForTheMediaRootListsTheDevices)
{
    makeFile("sda1/a.mp3");
    server->setDeviceList({Deviceinformation{"sda1", "vfat", "MUSIC", "U1", root.filePath("sda1")},
                           Deviceinformation{"sdb1", "exfat", "移动磁盘2", "U2", root.filePath("sdb1")}});
    auto client = connectClient();

    const QJsonArray devices = arrayOf(ask(*client, "/R4/Get/Folder" + root.path().toUtf8() + "/",
                                           RemoteCommandKind::Folder));
    ASSERT_EQ(devices.size(), 2);
    EXPECT_EQ(devices[0].toObject().value("FileName").toString(), QStringLiteral("MUSIC"));
    EXPECT_EQ(devices[1].toObject().value("FileName").toString(), QStringLiteral("移动磁盘2"));
    EXPECT_EQ(devices[1].toObject().value("FilaPath").toString(), root.filePath("sdb1"));
    EXPECT_FALSE(devices[0].toObject().value("FileType").toBool());
}

TEST_F(RemoteServer, FolderQueriesOutsideTheMediaRootAreRefused)
{
    QTemporaryDir outside;
    QFile::link(outside.path(), root.filePath("escape"));
    QFile(outside.filePath("secret.mp3")).open(QIODevice::WriteOnly);
    auto client = connectClient();
    for (const QString& folder : {QStringLiteral("/etc/"), QStringLiteral("/"), outside.path() + "/",
                                  root.path() + "/../", root.filePath("escape/")})
        expectSilence(*client, "/R4/Get/Folder" + folder.toUtf8());
}

TEST_F(RemoteServer, SetCommandsRaiseTheirSignalsWithTheirValues)
{
    QStringList raised;
    auto record = [&raised](const QString& what) { raised << what; };
    QObject::connect(server.get(), &QHttpServer::SetSysVol, [&](quint8 v) { record(QString("vol %1").arg(v)); });
    QObject::connect(server.get(), &QHttpServer::SetPlaysource, [&](quint8 s) { record(QString("src %1").arg(s)); });
    QObject::connect(server.get(), &QHttpServer::Setbackmode, [&](quint8 m) { record(QString("mode %1").arg(m)); });
    QObject::connect(server.get(), &QHttpServer::SetPlaybackStatus, [&](const QString& t) { record("status " + t); });
    QObject::connect(server.get(), &QHttpServer::SetPlayerFile, [&](const QString& p) { record("file " + p); });
    QObject::connect(server.get(), &QHttpServer::SetMute, [&] { record("mute"); });
    auto client = connectClient();

    for (const QByteArray& r : {QByteArray("/R4/Set/Systemvolume/:30"), QByteArray("/R4/Set/Soundsource/5"),
                                QByteArray("/R4/Set/Soundsource/123456"), QByteArray("/R4/Set/Playbackmode/7"),
                                QByteArray("/R4/Set/Playbackstatus/2"), QByteArray("/R4/Set/File/m/a b.mp3"),
                                QByteArray("/R4/Set/Mute/")})
        send(*client, r);

    EXPECT_EQ(raised, QStringList({"vol 30", "src 5", "mode 7", "status 2", "file /m/a b.mp3", "mute"}));
    EXPECT_EQ(server->field("Systemvolume").toInt(), 30);
    EXPECT_EQ(server->field("Soundsource").toInt(), 5);
}

TEST_F(RemoteServer, SearchFindsCaseSensitiveSubstrings)
{
    mediaList = {{"Abc.flac", "/m/Abc.flac", "flac", "U1"}, {"xabcx.mp3", "/m/d/xabcx.mp3", "mp3", "U1"}};
    QStringList searched;
    QObject::connect(server.get(), &QHttpServer::SendSearchFileName, [&](const QString& t) { searched << t; });
    auto client = connectClient();

    const QJsonArray found = arrayOf(ask(*client, "/R4/Get/Search/abc", RemoteCommandKind::Search), 15);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].toObject().value("FilaPath").toString(), QStringLiteral("/m/d/xabcx.mp3"));
    EXPECT_TRUE(found[0].toObject().value("FileType").toBool());

    EXPECT_EQ(arrayOf(ask(*client, "/R4/Get/Search/", RemoteCommandKind::Search), 15).size(), 2);
    expectSilence(*client, "/R4/Get/Search/abc\n");
    EXPECT_EQ(searched, QStringList({"abc", "", "abc\n"}));
}

TEST_F(RemoteServer, OnlyTheNewestConnectionIsServed)
{
    int mutes = 0;
    QObject::connect(server.get(), &QHttpServer::SetMute, [&] { ++mutes; });
    auto first = connectClient();
    auto second = connectClient();
    EXPECT_EQ(connections, 2); // GetSysData for each

    first->socket.write("/R4/Set/Mute/");
    ASSERT_TRUE(first->socket.waitForBytesWritten(WaitMs));
    ask(*second, "/R4/Get/Currentdata", RemoteCommandKind::Currentdata);
    ask(*second, "/R4/Get/Currentdata", RemoteCommandKind::Currentdata);
    EXPECT_EQ(mutes, 0);
    EXPECT_TRUE(first->received.isEmpty());
    EXPECT_EQ(first->socket.state(), QAbstractSocket::ConnectedState);
}

TEST_F(RemoteServer, ManySupersededConnectionsDoNotPileUp)
{
    std::vector<std::unique_ptr<Client>> clients;
    for (int i = 0; i < QHttpServer::MaxSupersededConnections + 4; ++i)
        clients.push_back(connectClient());
    // The oldest ones were closed; the newest is still served.
    EXPECT_TRUE(waitFor([&] { return clients[0]->socket.state() == QAbstractSocket::UnconnectedState; },
                                WaitMs));
    EXPECT_EQ(clients[4]->socket.state(), QAbstractSocket::ConnectedState);
    ask(*clients.back(), "/R4/Get/Currentdata", RemoteCommandKind::Currentdata);
}

TEST_F(RemoteServer, WritesToAVanishedConnectionAreDropped)
{
    auto client = connectClient();
    client->socket.abort();
    server->sendData("/R4/Get/Search/[[[[\n]\n]]]"); // before the server has noticed
    client.reset();
    spin(100);
    server->sendData("late");

    auto next = connectClient();
    ask(*next, "/R4/Get/Currentdata", RemoteCommandKind::Currentdata);
}

TEST_F(RemoteServer, ListenFailsOnAPortInUse)
{
    QHttpServer second(root.path());
    EXPECT_FALSE(second.listen(QHostAddress::LocalHost, server->serverPort()));
    EXPECT_FALSE(second.isListening());
    EXPECT_EQ(second.serverPort(), 0);
}

} // namespace
