#pragma once
// One line describing a frame, for the simulators' console output.

#include "mediahost/serial/FrameCodec.h"

#include <QString>

QString frameText(const Frame& frame);
