#include "mediahost/remote/QHttpServer.h"

#include "mediahost/core/PlayableFiles.h"
#include "mediahost/remote/RemoteAnswer.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>

namespace {

// A superseded connection is no longer read: let the kernel hold back what it
// still sends instead of buffering it here.
constexpr qint64 SupersededReadBuffer = 1;

QString folderOf(const QString& path)
{
    const int slash = path.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : path.left(slash);
}

} // namespace

QHttpServer::QHttpServer(const QString& mediaRoot, QObject* parent)
    : RemoteCommandServer(parent), mediaRoot_(QDir::cleanPath(mediaRoot)), state_(RemoteAnswer::initialState())
{
}

bool QHttpServer::listen(const QHostAddress& address, quint16 port)
{
    delete listener_;
    listener_ = new QTcpServer(this);
    connect(listener_, &QTcpServer::newConnection, this, &QHttpServer::acceptConnections);
    if (listener_->listen(address, port))
        return true;
    qWarning() << "remote command server cannot listen on port" << port << ":" << listener_->errorString();
    delete listener_;
    listener_ = nullptr;
    return false;
}

bool QHttpServer::listen(quint16 port) { return listen(QHostAddress::Any, port); }

bool QHttpServer::isListening() const { return listener_ && listener_->isListening(); }

quint16 QHttpServer::serverPort() const { return listener_ ? listener_->serverPort() : 0; }

void QHttpServer::setField(const QString& key, const QJsonValue& value)
{
    if (!state_.contains(key)) {
        qWarning() << "remote command server has no field" << key;
        return;
    }
    // Boolean fields stay boolean when given a flag byte.
    if (state_.value(key).isBool() && value.isDouble())
        state_[key] = value.toDouble() != 0;
    else
        state_[key] = value;
}

// ---- connections ------------------------------------------------------------------

void QHttpServer::acceptConnections()
{
    while (QTcpSocket* socket = listener_->nextPendingConnection()) {
        if (client_)
            supersede(client_);
        client_ = socket;
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { dropConnection(socket); });
        connect(socket, &QTcpSocket::readyRead, this, &QHttpServer::readRequest);
        emit GetSysData();
    }
}

void QHttpServer::supersede(QTcpSocket* socket)
{
    disconnect(socket, &QTcpSocket::readyRead, this, &QHttpServer::readRequest);
    socket->setReadBufferSize(SupersededReadBuffer);
    superseded_.append(socket);
    while (superseded_.size() > MaxSupersededConnections) {
        QTcpSocket* oldest = superseded_.takeFirst();
        oldest->abort();
        dropConnection(oldest);
    }
}

void QHttpServer::dropConnection(QTcpSocket* socket)
{
    superseded_.removeAll(socket);
    socket->disconnect();
    socket->deleteLater();
}

void QHttpServer::readRequest()
{
    if (sender() != client_.data() || client_->bytesAvailable() <= 0)
        return;
    const QString request = remoteRequestText(client_->readAll());
    emit requestReceived(request);
    if (const std::optional<RemoteCommand> command = parseRemoteCommand(request))
        act(*command);
}

void QHttpServer::sendData(const QByteArray& data)
{
    if (!client_ || client_->state() != QAbstractSocket::ConnectedState) {
        qDebug() << "remote answer dropped: the client has gone";
        return;
    }
    client_->write(data);
}

// ---- commands -----------------------------------------------------------------------

void QHttpServer::act(const RemoteCommand& command)
{
    switch (command.kind) {
    case RemoteCommandKind::Currentdata:
        answerCurrentData();
        break;
    case RemoteCommandKind::Folder:
        answerFolder(command.text);
        break;
    case RemoteCommandKind::Search:
        emit SendSearchFileName(command.text);
        break;
    case RemoteCommandKind::File:
        emit SetPlayerFile(command.text);
        break;
    case RemoteCommandKind::Systemvolume:
        setField(QStringLiteral("Systemvolume"), command.number);
        emit SetSysVol(command.number);
        break;
    case RemoteCommandKind::Playbackstatus:
        emit SetPlaybackStatus(command.text);
        break;
    case RemoteCommandKind::Soundsource:
        setField(QStringLiteral("Soundsource"), command.number);
        emit SetPlaysource(command.number);
        break;
    case RemoteCommandKind::Playbackmode:
        emit Setbackmode(command.number);
        break;
    case RemoteCommandKind::Mute:
        emit SetMute();
        break;
    }
}

void QHttpServer::answerCurrentData()
{
    const QString listPath = QStringLiteral("ListPath");
    if (state_.value(listPath).toString().isEmpty())
        state_[listPath] = folderOf(state_.value(QStringLiteral("Currentlypath")).toString());
    sendData(RemoteAnswer::currentData(state_));
}

void QHttpServer::answerFolder(const QString& folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return;
    if (!insideMediaRoot(folder)) {
        qDebug() << "remote folder query outside" << mediaRoot_ << "refused:" << folder;
        return;
    }
    QString listPath = folder;
    if (listPath.endsWith(QLatin1Char('/')))
        listPath.chop(1);
    state_[QStringLiteral("ListPath")] = listPath;
    sendData(listPath == mediaRoot_ ? RemoteAnswer::deviceListing(deviceList())
                                    : RemoteAnswer::folderListing(listMediaFolder(folder)));
}

// Compares resolved paths, so neither ".." nor a symbolic link on a stick
// leads out of the media root.
bool QHttpServer::insideMediaRoot(const QString& folder) const
{
    const QString root = QFileInfo(mediaRoot_).canonicalFilePath();
    const QString target = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty() || target.isEmpty())
        return false;
    if (root == QLatin1String("/"))
        return true;
    return target == root || target.startsWith(root + QLatin1Char('/'));
}

// ---- search -------------------------------------------------------------------------

void QHttpServer::sendsearchresult()
{
    if (!searchResults().isEmpty())
        sendData(RemoteAnswer::searchResults(searchResults()));
}
