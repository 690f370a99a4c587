#include "mediahost/remote/RemoteCommand.h"

namespace {

enum class Value { None, Text, Number };

struct CommandRule {
    const char* prefix;
    RemoteCommandKind kind;
    Value value;
    int valueAt;   // character position of the value, from the start of the request
    int minLength; // request length bounds, inclusive
    int maxLength;
    bool exact;    // the request must be the prefix itself
};

constexpr int Unbounded = -1;

// In the order they are tried.
const CommandRule rules[] = {
    {"/R4/Get/Currentdata", RemoteCommandKind::Currentdata, Value::None, 0, 0, Unbounded, true},
    {"/R4/Get/Folder/", RemoteCommandKind::Folder, Value::Text, 14, 0, Unbounded, false},
    {"/R4/Get/Search/", RemoteCommandKind::Search, Value::Text, 15, 0, Unbounded, false},
    {"/R4/Set/File/", RemoteCommandKind::File, Value::Text, 12, 12, Unbounded, false},
    {"/R4/Set/Systemvolume/", RemoteCommandKind::Systemvolume, Value::Number, 22, 22, 28, false},
    {"/R4/Set/Playbackstatus/", RemoteCommandKind::Playbackstatus, Value::Text, 23, 23, Unbounded, false},
    {"/R4/Set/Soundsource/", RemoteCommandKind::Soundsource, Value::Number, 20, 20, 25, false},
    {"/R4/Set/Playbackmode/", RemoteCommandKind::Playbackmode, Value::Number, 21, 21, Unbounded, false},
    {"/R4/Set/Mute/", RemoteCommandKind::Mute, Value::None, 0, 0, Unbounded, false},
};

bool lengthFits(const CommandRule& rule, const QString& request)
{
    const QString prefix = QLatin1String(rule.prefix);
    if (rule.exact)
        return request == prefix;
    return request.size() >= rule.minLength
        && (rule.maxLength == Unbounded || request.size() <= rule.maxLength);
}

// Decimal; anything unreadable is 0.
quint8 numberValue(const QString& text)
{
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok, 10);
    return ok ? quint8(n) : 0;
}

} // namespace

QString remoteRequestText(const QByteArray& received)
{
    const int zero = received.indexOf('\0');
    return QString::fromUtf8(zero < 0 ? received : received.left(zero));
}

std::optional<RemoteCommand> parseRemoteCommand(const QString& request)
{
    for (const CommandRule& rule : rules) {
        if (!request.contains(QLatin1String(rule.prefix)))
            continue;
        if (!lengthFits(rule, request))
            return std::nullopt;
        RemoteCommand command{rule.kind, {}, 0};
        if (rule.value == Value::Text)
            command.text = request.mid(rule.valueAt);
        else if (rule.value == Value::Number)
            command.number = numberValue(request.mid(rule.valueAt));
        return command;
    }
    return std::nullopt;
}

bool expectsAnswer(RemoteCommandKind kind)
{
    return kind == RemoteCommandKind::Currentdata || kind == RemoteCommandKind::Folder
        || kind == RemoteCommandKind::Search;
}
