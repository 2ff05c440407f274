// The errors the settings store raises.
//
// IniFileError: an ini file could not be written (or read back for a rewrite); the message
// names the file, because the window's error report is all the user will see.
// ConversionError: a colour or font text in an ini file is not one this system can read.
// Callers of ReadColor see it; ReadFont catches it and keeps the font.
#pragma once

#include <stdexcept>
#include <string>

namespace vemora {

class IniFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace vemora
