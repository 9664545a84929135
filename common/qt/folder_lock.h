#pragma once
// One running copy of a program per folder: the first copy started in a folder holds
// its lock while it runs; a later copy learns that one is already running there and
// leaves the shared files (defaults, results) to it. A copy that crashed holds nothing:
// its lock is taken over once its process is gone.
#include <QLockFile>
#include <QString>

#include <memory>

namespace common {

class FolderLock {
public:
    enum class State {
        Held,          // this copy is the one that writes the folder's shared files
        HeldElsewhere, // another running copy holds the folder
        Unavailable    // no lock can be made there (a folder the user may not write)
    };

    // `name` is the lock file's name in the folder (".kavlo.lock").
    FolderLock(const QString& folder, const QString& name);

    State state() const { return state_; }
    bool held() const { return state_ == State::Held; }
    // For HeldElsewhere, the process id of the copy that holds it (0 when unknown).
    qint64 holder() const { return holder_; }

    // The copy is ending: a copy started after this holds the folder.
    void release();

private:
    std::unique_ptr<QLockFile> lock_;
    State state_ = State::Unavailable;
    qint64 holder_ = 0;
};

} // namespace common
