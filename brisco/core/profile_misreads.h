#pragma once
// Readings of a profile that follow the file format yet are seldom what the file's author
// meant. Each kind is named once per file, at the line where it first happens, so the
// file can be put right; the reading itself stays, since stored files rely on it.
#include "terrain_files.h"

#include "common/message.h"

#include <string>
#include <vector>

namespace brisco {

// One sentence per kind found, each naming its line; none for a plain profile.
std::vector<std::string> ProfileMisreads(const ProfileRead& read);

// The messages a slot's profile gives, titled "File N: name": the truncation warning and
// one message listing the misreads.
std::vector<common::Message> ProfileMessages(const ProfileRead& read, int slot,
                                             const std::string& fileName);

} // namespace brisco
