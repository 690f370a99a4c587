#pragma once
// The command server's state object without a network side: the fields the
// library and the start-up object publish, kept for whoever serves them.

#include "mediahost/core/RemoteCommandServer.h"

#include <QJsonObject>

class CommandServerState : public RemoteCommandServer {
    Q_OBJECT
public:
    using RemoteCommandServer::RemoteCommandServer;

    void setField(const QString& key, const QJsonValue& value) override { fields_.insert(key, value); }
    const QJsonObject& fields() const { return fields_; }

private:
    QJsonObject fields_;
};
