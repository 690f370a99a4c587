#include "mediahost/media/EumeThread.h"

#include "mediahost/core/PlayableFiles.h"

#include <QFileInfo>

EumeThread::~EumeThread()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quitting_ = true;
        queue_.clear();
    }
    wait();
}

void EumeThread::addJob(const devInfo& job)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.append(job);
        if (!stopped_)
            return; // the running worker takes it before it stops
        stopped_ = false;
    }
    // The previous run may still be returning from run(); start() would
    // ignore a thread that has not finished.
    wait();
    start();
}

bool EumeThread::getStop() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return stopped_;
}

void EumeThread::run()
{
    QString lastUuid;
    while (true) {
        devInfo job;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (queue_.isEmpty()) {
                stopped_ = true;
                return;
            }
            job = queue_.first();
        }
        if (!job.mountPoint.isEmpty() && !job.uuid.isEmpty())
            FindFile(job.mountPoint, job.uuid);
        lastUuid = job.uuid;
        bool emptied;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!queue_.isEmpty())
                queue_.removeFirst();
            emptied = queue_.isEmpty();
        }
        if (emptied)
            emit sendEumOver(lastUuid);
    }
}

void EumeThread::FindFile(const QString& folder, const QString& uuid)
{
    for (const BriwserFileInfo& entry : listMediaFolder(folder)) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (quitting_)
                return;
        }
        if (!entry.isFile) {
            // A linked folder may lead back up the tree; real sticks have none.
            if (!QFileInfo(entry.path).isSymLink())
                FindFile(entry.path, uuid);
        }
        else {
            emit sendmediaInfo(entry.name, entry.path, QFileInfo(entry.name).suffix(), uuid);
        }
    }
}
