#pragma once
// The worker that walks newly mounted storage and reports each playable file.
// MusicBox appends jobs from the main thread; the worker takes them until the
// queue is empty. Queue and `stopped` flag are guarded by one mutex, and a job
// added while the worker is finishing restarts it, so no device is left
// unwalked.

#include "mediahost/core/Records.h"

#include <QThread>
#include <QVector>

#include <mutex>

class EumeThread : public QThread {
    Q_OBJECT
public:
    using QThread::QThread;
    ~EumeThread() override;

    // Main thread: queue a device and start the worker if it is stopped.
    void addJob(const devInfo& job);
    // True while the worker is not running.
    bool getStop() const;

signals:
    void sendmediaInfo(QString fileName, QString filePath, QString suffix, QString uuid);
    void sendEumOver(QString uuid);

protected:
    void run() override;

private:
    void FindFile(const QString& folder, const QString& uuid);

    mutable std::mutex mutex_; // a standard mutex, so thread checkers see it
    QVector<devInfo> queue_;
    bool stopped_ = true;
    bool quitting_ = false;
};
