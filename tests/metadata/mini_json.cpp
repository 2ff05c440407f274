#include "metadata/mini_json.h"

#include <cstdlib>

namespace vemora::testing {
namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue Value() {
    SkipSpace();
    if (pos_ >= text_.size()) Fail("unexpected end");
    const char c = text_[pos_];
    JsonValue value;
    if (c == '{') {
      value.kind = JsonValue::Kind::kObject;
      ++pos_;
      SkipSpace();
      if (Peek('}')) return value;
      do {
        SkipSpace();
        std::string key = String();
        SkipSpace();
        Expect(':');
        JsonValue member = Value();
        value.members.emplace(std::move(key), std::move(member));
        SkipSpace();
      } while (Accept(','));
      Expect('}');
    } else if (c == '[') {
      value.kind = JsonValue::Kind::kArray;
      ++pos_;
      SkipSpace();
      if (Peek(']')) return value;
      do {
        value.items.push_back(Value());
        SkipSpace();
      } while (Accept(','));
      Expect(']');
    } else if (c == '"') {
      value.kind = JsonValue::Kind::kString;
      value.text = String();
    } else if (text_.substr(pos_, 4) == "true" || text_.substr(pos_, 5) == "false") {
      value.kind = JsonValue::Kind::kBool;
      value.boolean = c == 't';
      pos_ += value.boolean ? 4 : 5;
    } else if (text_.substr(pos_, 4) == "null") {
      pos_ += 4;
    } else {
      value.kind = JsonValue::Kind::kNumber;
      const std::size_t start = pos_;
      while (pos_ < text_.size() &&
             std::string_view("+-0123456789.eE").find(text_[pos_]) != std::string_view::npos) {
        ++pos_;
      }
      if (pos_ == start) Fail("unexpected character");
      value.text = std::string(text_.substr(start, pos_ - start));
      value.number = std::strtod(value.text.c_str(), nullptr);
    }
    return value;
  }

  void End() {
    SkipSpace();
    if (pos_ != text_.size()) Fail("trailing characters");
  }

 private:
  std::string String() {
    Expect('"');
    std::string out;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      char c = text_[pos_++];
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) Fail("cut escape");
      c = text_[pos_++];
      switch (c) {
        case 'n':
          out += '\n';
          break;
        case 't':
          out += '\t';
          break;
        case 'r':
          out += '\r';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u': {
          unsigned code = Hex4();
          if (code >= 0xD800 && code < 0xDC00 && text_.substr(pos_, 2) == "\\u") {
            pos_ += 2;
            code = 0x10000 + ((code - 0xD800) << 10) + (Hex4() - 0xDC00);
          }
          Utf8(out, code);
          break;
        }
        default:
          out += c;
      }
    }
    Expect('"');
    return out;
  }

  unsigned Hex4() {
    if (pos_ + 4 > text_.size()) Fail("cut \\u escape");
    const unsigned value = std::stoul(std::string(text_.substr(pos_, 4)), nullptr, 16);
    pos_ += 4;
    return value;
  }

  static void Utf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }

  void SkipSpace() {
    while (pos_ < text_.size() &&
           std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos)
      ++pos_;
  }
  bool Peek(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool Accept(char c) { return Peek(c); }
  void Expect(char c) {
    if (!Peek(c)) Fail(std::string("expected '") + c + "'");
  }
  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("JSON: " + what + " at " + std::to_string(pos_));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

JsonValue ParseJson(std::string_view text) {
  Parser parser(text);
  JsonValue value = parser.Value();
  parser.End();
  return value;
}

}  // namespace vemora::testing
