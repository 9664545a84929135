#pragma once
// Whether this copy of a program writes the shared files of its folder: its defaults
// file and its results. A second copy started where one already runs is told so and
// leaves those files to the first unless the user chooses otherwise; a defaults file
// that is there but cannot be read is reported with its path and reason, and is not
// written over unless the user agrees when the settings are next saved.
#include "common/qt/folder_lock.h"
#include "common/text_file.h"

#include <string>

class QWidget;

namespace common {

class SharedFiles {
public:
    // `program` names the program in its messages and its lock (".kavlo.lock").
    SharedFiles(const std::string& folder, const std::string& program);

    // At start: when another copy holds the folder, says so and asks whether this one
    // writes there too.
    void askAtStart(QWidget* parent);

    // Reads a defaults file; one there but unreadable is reported and kept from writes.
    TextFile readDefaults(QWidget* parent, const std::string& path);

    // Whether the settings may go to the defaults file now; asks when the file could not
    // be read at start, until the user agrees.
    bool mayWriteDefaults(QWidget* parent);
    // Whether results may go to the folder's results files.
    bool mayWriteResults() const { return writes_; }

    // The program is ending, its settings saved: a copy started now is the first again.
    // Nothing more is written.
    void release();

private:
    FolderLock lock_;
    std::string folder_, program_;
    bool writes_ = true;
    std::string unreadDefaults_; // the file's name while it is kept from writes
};

} // namespace common
