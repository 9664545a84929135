#pragma once
// Whole-file reading and writing for the defaults and results files.
#include "result.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// All lines of a text file, CR LF or LF, with or without a last line end.
// Nothing when the file cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& path);

// Joins lines with the platform line end, each line followed by one.
std::string JoinLines(const std::vector<std::string>& lines);

// Writes the whole content to a temporary file beside the target and renames it
// over the target, so a failed write leaves the previous file untouched.
Result<> WriteFileAtomically(const std::string& path, std::string_view content);

// The folder of the running program, where the defaults files live.
std::string ProgramFolder();

// path joined to a file name with the platform separator.
std::string InFolder(const std::string& folder, const std::string& name);

} // namespace common
