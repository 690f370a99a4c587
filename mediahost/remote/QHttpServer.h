#pragma once
// The remote command server on TCP 8080. Despite its name it speaks no HTTP:
// a client writes a bare command text ("/R4/Get/Currentdata") and gets a bare
// answer text back. Only the newest connection is served; older ones stay
// open but are no longer read or answered.

#include "mediahost/core/RemoteCommandServer.h"
#include "mediahost/remote/RemoteCommand.h"

#include <QHostAddress>
#include <QJsonObject>
#include <QList>
#include <QPointer>

class QTcpServer;
class QTcpSocket;

class QHttpServer : public RemoteCommandServer {
    Q_OBJECT
public:
    static constexpr quint16 DefaultPort = 8080;
    // Superseded connections kept open; beyond this the oldest is closed, so
    // a client that keeps connecting cannot use up the process's sockets.
    static constexpr int MaxSupersededConnections = 16;

    // `mediaRoot` is where storage devices are mounted: a folder query for it
    // lists the devices, and folder queries outside it are refused.
    explicit QHttpServer(const QString& mediaRoot = QStringLiteral("/run/media"),
                         QObject* parent = nullptr);

    // Listens on all addresses (IPv4 and IPv6) unless told otherwise; port 0
    // picks a free one. On failure the listening socket is dropped.
    bool listen(const QHostAddress& address, quint16 port);
    bool listen(quint16 port);
    bool isListening() const;
    quint16 serverPort() const;

    void setField(const QString& key, const QJsonValue& value) override;
    QJsonValue field(const QString& key) const { return state_.value(key); }

public slots:
    void sendsearchresult() override;
    // Writes to the current client connection; dropped when there is none.
    void sendData(const QByteArray& data);

signals:
    // Every request read from the current connection, before it is acted on.
    void requestReceived(QString request);

private:
    void acceptConnections();
    void readRequest();
    void dropConnection(QTcpSocket* socket);
    void supersede(QTcpSocket* socket);
    void act(const RemoteCommand& command);
    void answerCurrentData();
    void answerFolder(const QString& folder);
    bool insideMediaRoot(const QString& folder) const;

    QString mediaRoot_;
    QTcpServer* listener_ = nullptr;
    QPointer<QTcpSocket> client_;
    QList<QTcpSocket*> superseded_;
    QJsonObject state_;
};
