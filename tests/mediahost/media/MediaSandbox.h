#pragma once
// A machine for the media library's tests: fake `lsblk` and `mount` first on
// PATH printing what the test sets (outputs as real machines print them), a
// HOME whose mplayer configuration sends sound nowhere (ao=null), libzembla's
// output set to the null sink, and a folder standing for the media root.

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class MediaSandbox {
public:
    MediaSandbox();
    bool isValid() const { return valid_; }

    QString mediaRoot() const { return dir_.path() + QStringLiteral("/media"); }
    // Creates an empty file (and its folders) below the media root.
    QString touch(const QString& relative) const;
    // Copies an existing file below the media root.
    QString place(const QString& source, const QString& relative) const;

    void setLsblk(const QString& output) const { write(QStringLiteral("lsblk.out"), output); }
    void setMount(const QString& output) const { write(QStringLiteral("mount.out"), output); }

    // An lsblk -f -P line as util-linux 2.38 prints it ("MOUNTPOINTS").
    static QString lsblkLine(const QString& name, const QString& fsType, const QString& label,
                             const QString& uuid, const QString& mountPoint);
    // A mount -l line of a USB partition, with "[label]" when label is not empty.
    static QString mountLine(const QString& device, const QString& mountPoint, const QString& label);
    // Lines every real machine has besides the sticks.
    static QString systemLsblkLines();
    static QString systemMountLines();

private:
    void write(const QString& name, const QString& text) const;
    QTemporaryDir dir_;
    bool valid_ = false;
};
