#pragma once
// Where a program keeps the files it writes (its defaults file, its results). Beside the
// program where its folder can be written, as in the build folder or a portable copy;
// installed where the user may not write, in the user's own folders instead
// (~/.config/hf-antenna-suite for defaults, ~/.local/share/hf-antenna-suite for results),
// a defaults file starting as a copy of the installed first defaults.
#include <string>

namespace common {

enum class UserFile {
    Defaults, // TL.DEF, QELT.DEF, VEXLO.DEF
    Results   // OUT.PRN, TEST4.PRN
};

// The folder the program reads and writes its file `name` in: the program folder unless it
// is there and this user may not write it. For Defaults kept in the
// user's folder, the copy beside the program is copied there first when the user has none.
std::string UserFileFolder(const std::string& programFolder, const std::string& name,
                           UserFile kind);
// The file's path in that folder.
std::string UserFilePath(const std::string& programFolder, const std::string& name, UserFile kind);

// Whether this user may write in the folder: its permissions allow it, not only the
// system (root writes everywhere, but a folder made read-only is still the suite's own).
bool FolderWritable(const std::string& folder);

} // namespace common
