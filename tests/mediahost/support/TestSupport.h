#pragma once

#include "mediahost/sim/DspSimulator.h"
#include "mediahost/sim/PanelSimulator.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

// Generous: the CI machine has two loaded cores and runs sanitizers.
constexpr int WaitMs = 30000;

// Runs the event loop until `condition` holds or `timeoutMs` passes.
bool waitFor(const std::function<bool()>& condition, int timeoutMs = WaitMs);
// Runs the event loop for `ms` (only where the absence of something is checked
// after a condition that proves the other side has acted).
void spin(int ms);

std::unique_ptr<DspSimulator> makeDspSimulator();
std::unique_ptr<PanelSimulator> makePanelSimulator();

// Frames received with this group and command.
int countFrames(const QList<Frame>& frames, quint8 group, quint8 command);

// A folder standing for the device root ("/run/media"), two levels below "/"
// like the real one, with files created from relative paths.
class MediaTree {
public:
    explicit MediaTree(const QStringList& files);
    bool isValid() const { return dir_.isValid(); }
    QString root() const { return dir_.path(); }
    QString path(const QString& relative) const { return root() + QLatin1Char('/') + relative; }

private:
    QTemporaryDir dir_;
};
