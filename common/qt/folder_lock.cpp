#include "folder_lock.h"

#include <QDir>

namespace common {

FolderLock::FolderLock(const QString& folder, const QString& name)
    : lock_(std::make_unique<QLockFile>(QDir(folder).filePath(name))) {
    // Never stale by age: a copy left running for days still holds its folder. A lock
    // whose process has ended is taken over by tryLock.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) {
        state_ = State::Held;
        return;
    }
    if (lock_->error() == QLockFile::LockFailedError) {
        state_ = State::HeldElsewhere;
        QString host, application;
        lock_->getLockInfo(&holder_, &host, &application);
    }
}

void FolderLock::release() {
    if (state_ == State::Held) lock_->unlock();
    state_ = State::Unavailable;
}

} // namespace common
