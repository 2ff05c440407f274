// A minimal JSON reader for the oracle files of the tests: objects, arrays, strings (with
// \u escapes), numbers, true/false/null. Duplicate keys keep their first value.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vemora::testing {

struct JsonValue {
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject } kind = Kind::kNull;
  bool boolean = false;
  double number = 0;
  std::string text;  // strings; numbers keep their source text too
  std::vector<JsonValue> items;
  std::map<std::string, JsonValue, std::less<>> members;

  const JsonValue* Find(std::string_view key) const {
    const auto found = members.find(key);
    return found == members.end() ? nullptr : &found->second;
  }
};

JsonValue ParseJson(std::string_view text);

}  // namespace vemora::testing
