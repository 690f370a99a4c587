#pragma once
// Which file of the media list plays next under each play mode, and the
// decisions of the 500 ms update tick (minute save, end of a file). Free of
// the player and of timers, so every rule can be tested on a list alone;
// MusicBox starts the chosen file.

#include "mediahost/core/Records.h"

#include <QTime>
#include <QVector>

#include <optional>
#include <random>

namespace PlayModes {

enum Mode : quint8 {
    Sequential = 0,
    Random = 1,
    RepeatOne = 2,
    FolderLoop = 3,
    FolderRandom = 4,
};

// First and last index of the entries in one folder.
struct FolderRange {
    int first = 0;
    int last = -1;
};

// Findfolderrange: the entries whose folder (path up to the last "/") is the
// folder of `filePath`; the whole list when no entry is in that folder.
FolderRange Findfolderrange(const QVector<MediaObjectInfo>& mediaList, const QString& filePath);

// The generator of the two random modes, reseeded before each choice.
class ModeRandom {
public:
    // randomplay: r x (second x 1000) + millisecond, r one draw.
    void seedForRandomPlay(const QTime& now);
    // FRPlay: the millisecond multiplied by six successive draws.
    void seedForFolderRandom(const QTime& now);
    quint32 draw() { return quint32(engine_()); }

private:
    std::minstd_rand engine_;
};

// Each takes the current index and gives the index to start; the list (or
// the range) must not be empty.
int sequencePlay(int currentIndex, int size);
int singlePlay(int currentIndex);
int randomplay(int size, ModeRandom& random, const QTime& now);
// Loops inside the range; an index outside it enters at its near end.
int FLoopPlay(const FolderRange& range, int currentIndex, bool forward);
int FRPlay(const FolderRange& range, int size, ModeRandom& random, const QTime& now);

// Where the next / previous keys go (modes 0 and 2 step and wrap, 1 random,
// 3 folder loop, 4 folder random); nothing on an empty list.
std::optional<int> keyChoice(quint8 mode, const QVector<MediaObjectInfo>& mediaList, int currentIndex,
                             const QString& currentPath, bool next, ModeRandom& random,
                             const QTime& now = QTime::currentTime());
// What follows the end of a file (mode 2 repeats it, mode 3 loops forward);
// nothing on an empty list.
std::optional<int> endOfFileChoice(quint8 mode, const QVector<MediaObjectInfo>& mediaList, int currentIndex,
                                   const QString& currentPath, ModeRandom& random,
                                   const QTime& now = QTime::currentTime());

// The whole minutes played, as the resume record keeps them (at most 255).
quint8 playedMinute(qint64 positionSeconds);
// The minute to write to the DSP on this tick, if any: the played minute
// when it is exactly one above the one saved last.
std::optional<quint8> minuteToSave(qint64 positionSeconds, int savedMinute);

// A library stream has ended: its whole seconds are not above the position
// rounded to the nearest second, and it no longer plays.
bool streamEnded(double lengthSeconds, double positionSeconds, bool active);

} // namespace PlayModes
