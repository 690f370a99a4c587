#pragma once
// Reading the output of `lsblk -f -P` and `mount -l`: pure text functions,
// so the device scan can be tested with outputs copied from real machines.

#include "mediahost/core/Records.h"

#include <QString>
#include <QStringList>

// The lines of `lsblk -f -P` that may describe a USB stick (those with "sd").
QStringList usbLsblkLines(const QString& lsblkOutput);

struct LsblkLine {
    Deviceinformation device; // name, fsType, uuid, mountPoint; label left empty
    // The device has a file system and uuid but no mount point yet.
    bool awaitingMount = false;
    // The line names a mounted device with a file system and uuid.
    bool isMounted() const
    {
        return !device.mountPoint.isEmpty() && !device.fsType.isEmpty() && !device.uuid.isEmpty();
    }
};

// One line: tokens split at " ", each KEY="VALUE"; the value is the text
// after the last "=" without its quotes (a value holding a space is cut there).
LsblkLine parseLsblkLine(const QString& line);

// The label `mount -l` gives the device mounted at mountPoint: the text in
// "[...]", or "移动磁盘" + the line's number among the "/dev/sd" lines when it
// has none; "null" when nothing is mounted there.
QString labelFromMountOutput(const QString& mountOutput, const QString& mountPoint);
