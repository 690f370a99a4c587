#include "mediahost/media/PlayModes.h"

#include <cmath>

namespace PlayModes {

namespace {

QString folderOf(const QString& path) { return path.left(path.lastIndexOf(QLatin1Char('/'))); }

constexpr int FolderRandomDraws = 6;

} // namespace

FolderRange Findfolderrange(const QVector<MediaObjectInfo>& mediaList, const QString& filePath)
{
    const QString folder = folderOf(filePath);
    FolderRange range{-1, -1};
    for (int i = 0; i < mediaList.size(); ++i) {
        if (folderOf(mediaList.at(i).filePath) != folder)
            continue;
        if (range.first < 0)
            range.first = i;
        range.last = i;
    }
    if (range.first < 0)
        return FolderRange{0, int(mediaList.size()) - 1};
    return range;
}

void ModeRandom::seedForRandomPlay(const QTime& now)
{
    const quint32 r = draw();
    engine_.seed(r * quint32(now.second() * 1000) + quint32(now.msec()));
}

void ModeRandom::seedForFolderRandom(const QTime& now)
{
    quint32 seed = quint32(now.msec());
    for (int i = 0; i < FolderRandomDraws; ++i)
        seed *= draw();
    engine_.seed(seed);
}

int sequencePlay(int currentIndex, int size) { return currentIndex + 1 >= size ? 0 : currentIndex + 1; }

int singlePlay(int currentIndex) { return currentIndex; }

int randomplay(int size, ModeRandom& random, const QTime& now)
{
    random.seedForRandomPlay(now);
    return int(random.draw() % quint32(size));
}

int FLoopPlay(const FolderRange& range, int currentIndex, bool forward)
{
    if (currentIndex < range.first || currentIndex > range.last)
        return forward ? range.first : range.last;
    if (forward)
        return currentIndex + 1 > range.last ? range.first : currentIndex + 1;
    return currentIndex - 1 < range.first ? range.last : currentIndex - 1;
}

int FRPlay(const FolderRange& range, int size, ModeRandom& random, const QTime& now)
{
    if (size == 1)
        return 0;
    random.seedForFolderRandom(now);
    return range.first + int(random.draw() % quint32(range.last - range.first + 1));
}

std::optional<int> keyChoice(quint8 mode, const QVector<MediaObjectInfo>& mediaList, int currentIndex,
                             const QString& currentPath, bool next, ModeRandom& random, const QTime& now)
{
    const int size = mediaList.size();
    if (size == 0)
        return std::nullopt;
    switch (mode) {
    case Random:
        return randomplay(size, random, now);
    case FolderLoop:
        return FLoopPlay(Findfolderrange(mediaList, currentPath), currentIndex, next);
    case FolderRandom:
        return FRPlay(Findfolderrange(mediaList, currentPath), size, random, now);
    default: // Sequential and RepeatOne step through the list
        if (next)
            return sequencePlay(currentIndex, size);
        return currentIndex - 1 < 0 || currentIndex - 1 >= size ? size - 1 : currentIndex - 1;
    }
}

std::optional<int> endOfFileChoice(quint8 mode, const QVector<MediaObjectInfo>& mediaList, int currentIndex,
                                   const QString& currentPath, ModeRandom& random, const QTime& now)
{
    if (mediaList.isEmpty())
        return std::nullopt;
    switch (mode) {
    case RepeatOne:
        return singlePlay(currentIndex);
    case Random:
    case FolderLoop:
    case FolderRandom:
        return keyChoice(mode, mediaList, currentIndex, currentPath, true, random, now);
    default:
        return sequencePlay(currentIndex, mediaList.size());
    }
}

quint8 playedMinute(qint64 positionSeconds)
{
    constexpr qint64 MaxMinute = 255;
    return quint8(qBound<qint64>(0, positionSeconds / 60, MaxMinute));
}

std::optional<quint8> minuteToSave(qint64 positionSeconds, int savedMinute)
{
    const quint8 minute = playedMinute(positionSeconds);
    if (int(minute) - savedMinute == 1)
        return minute;
    return std::nullopt;
}

bool streamEnded(double lengthSeconds, double positionSeconds, bool active)
{
    return std::trunc(lengthSeconds) <= std::trunc(positionSeconds + 0.5) && !active;
}

} // namespace PlayModes
