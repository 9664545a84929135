#pragma once
// Whole-file reading and writing for the defaults, data and results files.
#include "result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// Larger than any defaults, profile, statistics, antenna or results file of the suite;
// a bigger file is refused instead of read whole.
inline constexpr std::uintmax_t LargestTextFile = 10 * 1024 * 1024;

// How reading a file went: not there, there but not to be read, or read.
enum class FileState { Missing, Unreadable, Read };

struct TextFile {
    FileState state = FileState::Missing;
    std::vector<std::string> lines; // when Read
    // When Missing or Unreadable: the file's path and the system's reason, as a sentence.
    std::string message;
};

// All lines of a text file, without their ends: LF, CR LF or a lone CR, with or without
// a last line end, a leading UTF-8 byte-order mark dropped. Only a regular file of at
// most `largest` bytes is read; a folder, a device or a pipe is refused at once.
TextFile ReadTextFile(const std::string& path, std::uintmax_t largest = LargestTextFile);

// ReadTextFile's lines, or nothing when the file is missing or unreadable.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// Joins lines with the platform line end, each line followed by one.
std::string JoinLines(const std::vector<std::string>& lines);

// Replaces the whole content of a file so that any failure leaves the previous file as
// it was. A symbolic link is written through to its target. The new content goes to a
// temporary file beside the target, with the target's permissions and owner, which is
// then renamed over it. A target that renaming would change in more than its content
// (one with other hard links, one whose owner cannot be kept, one in a folder that
// takes no new file) is rewritten in place instead, its space reserved first and its
// old content put back if the write fails. A file the user may not write is refused
// with the system's reason.
Result<> WriteFileAtomically(const std::string& path, std::string_view content);

// Adds content at the end of a file (created if missing), whole or not at all: a write
// that fails part way (a full disk) cuts the file back to its previous end.
Result<> AppendToFile(const std::string& path, std::string_view content);

// The folder of the running program, where the defaults files live.
std::string ProgramFolder();

// path joined to a file name with the platform separator.
std::string InFolder(const std::string& folder, const std::string& name);

} // namespace common
