#include "MediaSandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool writeFile(const QString& path, const QByteArray& bytes, bool executable = false)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        return false;
    f.close();
    if (executable)
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return true;
}

} // namespace

MediaSandbox::MediaSandbox()
{
    const QString base = dir_.path();
    valid_ = dir_.isValid() && QDir().mkpath(base + "/bin") && QDir().mkpath(base + "/home/.mplayer")
        && QDir().mkpath(mediaRoot())
        && writeFile(base + "/home/.mplayer/config", "ao=null\n")
        && writeFile(base + "/bin/lsblk", "#!/bin/sh\ncat \"" + base.toUtf8() + "/lsblk.out\" 2>/dev/null\n", true)
        && writeFile(base + "/bin/mount", "#!/bin/sh\ncat \"" + base.toUtf8() + "/mount.out\" 2>/dev/null\n", true)
        // pidof limited to this test's own children, so that parallel tests'
        // players are never stopped.
        && writeFile(base + "/bin/pidof",
                     "#!/bin/sh\npids=$(pgrep -d ' ' -P $PPID -x \"$1\")\n[ -n \"$pids\" ] && echo $pids\n", true);
    qputenv("PATH", (base + "/bin:").toUtf8() + qgetenv("PATH"));
    qputenv("HOME", (base + "/home").toUtf8());
    qputenv("ZEMBLA_OUTPUT", "null");
    setLsblk(systemLsblkLines());
    setMount(systemMountLines());
}

QString MediaSandbox::touch(const QString& relative) const
{
    const QString path = mediaRoot() + '/' + relative;
    QDir().mkpath(QFileInfo(path).path());
    writeFile(path, {});
    return path;
}

QString MediaSandbox::place(const QString& source, const QString& relative) const
{
    const QString path = mediaRoot() + '/' + relative;
    QDir().mkpath(QFileInfo(path).path());
    QFile::remove(path);
    QFile::copy(source, path);
    return path;
}

void MediaSandbox::write(const QString& name, const QString& text) const
{
    writeFile(dir_.path() + '/' + name, text.toUtf8());
}

QString MediaSandbox::lsblkLine(const QString& name, const QString& fsType, const QString& label,
                                const QString& uuid, const QString& mountPoint)
{
    return QStringLiteral("NAME=\"%1\" FSTYPE=\"%2\" FSVER=\"%3\" LABEL=\"%4\" UUID=\"%5\" FSAVAIL=\"%6\" "
                          "FSUSE%=\"%7\" MOUNTPOINTS=\"%8\"\n")
        .arg(name, fsType, fsType.isEmpty() ? QString() : QStringLiteral("FAT32"), label, uuid,
             mountPoint.isEmpty() ? QString() : QStringLiteral("7.1G"),
             mountPoint.isEmpty() ? QString() : QStringLiteral("12%"), mountPoint);
}

QString MediaSandbox::mountLine(const QString& device, const QString& mountPoint, const QString& label)
{
    QString line = QStringLiteral("%1 on %2 type vfat (rw,nosuid,nodev,relatime,uid=0,gid=0,fmask=0022,"
                                  "dmask=0022,codepage=437,iocharset=utf8,shortname=mixed,errors=remount-ro)")
                       .arg(device, mountPoint);
    if (!label.isEmpty())
        line += QStringLiteral(" [%1]").arg(label);
    return line + '\n';
}

QString MediaSandbox::systemLsblkLines()
{
    return QStringLiteral(
        "NAME=\"mmcblk0\" FSTYPE=\"\" FSVER=\"\" LABEL=\"\" UUID=\"\" FSAVAIL=\"\" FSUSE%=\"\" MOUNTPOINTS=\"\"\n"
        "NAME=\"mmcblk0p1\" FSTYPE=\"vfat\" FSVER=\"FAT16\" LABEL=\"boot\" UUID=\"0B3D-8C11\" FSAVAIL=\"40.2M\" "
        "FSUSE%=\"20%\" MOUNTPOINTS=\"/boot\"\n"
        "NAME=\"mmcblk0p2\" FSTYPE=\"ext4\" FSVER=\"1.0\" LABEL=\"rootfs\" "
        "UUID=\"9c1d5a7e-3f0b-4d2a-8e61-5b7a0c2d9f44\" FSAVAIL=\"2.1G\" FSUSE%=\"61%\" MOUNTPOINTS=\"/\"\n");
}

QString MediaSandbox::systemMountLines()
{
    return QStringLiteral(
        "/dev/mmcblk0p2 on / type ext4 (rw,relatime) [rootfs]\n"
        "devtmpfs on /dev type devtmpfs (rw,relatime,size=470112k,nr_inodes=117528,mode=755)\n"
        "proc on /proc type proc (rw,relatime)\n"
        "tmpfs on /run type tmpfs (rw,nosuid,nodev,size=196568k,nr_inodes=819200,mode=755)\n"
        "/dev/mmcblk0p1 on /boot type vfat (rw,relatime,fmask=0022,dmask=0022) [boot]\n");
}
