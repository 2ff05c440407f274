// Upper-casing for case-insensitive search: one character to one character, so "ä" finds
// "Ä" while "ß" stays "ß" (never "SS"), and a text keeps its length in characters.
//
// Covers ASCII, the Latin-1 and Latin Extended-A letters, Greek and Cyrillic; every other
// character, and bytes that are no valid UTF-8, pass unchanged.
#pragma once

#include <string>
#include <string_view>

namespace vemora {

std::string UpperCase(std::string_view utf8);
// Appends the upper case of `utf8` to `out`; it has the same number of bytes.
void AppendUpperCase(std::string& out, std::string_view utf8);

}  // namespace vemora
