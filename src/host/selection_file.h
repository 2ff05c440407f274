// bdselect.txt: the keys a multi-selection call hands back to its host.
//
// One decimal key per line, every line ended by CR LF, in catalogue query order; an empty
// selection is an empty file. The next call reads it back so that it starts with the set
// handed back last.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace vemora {

// Overwrites the file whole. Throws std::runtime_error naming the file when it cannot be
// written.
void WriteSelectionFile(const std::string& path, const std::vector<int32_t>& keys);

// The file's lines (without line ends; a leading byte-order mark is skipped). A missing or
// unreadable file gives no lines: it is not an error.
std::set<std::string> ReadSelectionFile(const std::string& path);

}  // namespace vemora
