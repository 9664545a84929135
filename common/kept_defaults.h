#pragma once
// What a program says when its defaults file is there but cannot be read: it runs on
// its own defaults and does not write over the file, which may hold the user's
// settings, unless the user agrees.
#include "common/text_file.h"

#include <string>

namespace common {

inline std::string KeptDefaultsMessage(const TextFile& unreadable, const std::string& program) {
    return unreadable.message + " " + program +
           " runs on its defaults and leaves the file as it is.";
}

inline std::string ReplaceUnreadDefaultsQuestion(const std::string& fileName,
                                                 const std::string& program) {
    return fileName + " could not be read when " + program +
           " started. Replace it with the present settings?";
}

} // namespace common
