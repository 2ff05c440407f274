#include "metadata/mini_json.h"

#include <cstdlib>

namespace vemora::testing {
namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  JsonValue Value() {
    Skip();
    JsonValue value;
    if (Accept('{')) {
      value.kind = JsonValue::Kind::kObject;
      if (Accept('}')) return value;
      do {
        Skip();
        std::string key = String();
        Expect(':');
        value.members.emplace(std::move(key), Value());
      } while (Accept(','));
      Expect('}');
    } else if (Accept('[')) {
      value.kind = JsonValue::Kind::kArray;
      if (Accept(']')) return value;
      do value.items.push_back(Value());
      while (Accept(','));
      Expect(']');
    } else if (pos_ < text_.size() && text_[pos_] == '"') {
      value.kind = JsonValue::Kind::kString;
      value.text = String();
    } else if (Word("true") || Word("false")) {
      value.kind = JsonValue::Kind::kBool;
      value.boolean = text_[pos_ - 1] == 'e' && text_[pos_ - 4] == 't';
    } else if (!Word("null")) {
      const std::size_t start = pos_;
      while (pos_ < text_.size() &&
             std::string_view("+-0123456789.eE").find(text_[pos_]) != std::string_view::npos) {
        ++pos_;
      }
      if (pos_ == start) Fail("unexpected character");
      value.kind = JsonValue::Kind::kNumber;
      value.text = std::string(text_.substr(start, pos_ - start));
      value.number = std::strtod(value.text.c_str(), nullptr);
    }
    return value;
  }

  void End() {
    Skip();
    if (pos_ != text_.size()) Fail("trailing characters");
  }

 private:
  std::string String() {
    Expect('"');
    std::string out;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      const char c = text_[pos_++];
      if (c != '\\' || pos_ >= text_.size()) {
        out += c;
        continue;
      }
      const char e = text_[pos_++];
      if (e == 'u' && pos_ + 4 <= text_.size()) {
        // exiftool escapes control characters only; everything else arrives as UTF-8.
        const unsigned cp = std::stoul(std::string(text_.substr(pos_, 4)), nullptr, 16);
        pos_ += 4;
        if (cp < 0x80) {
          out += static_cast<char>(cp);
        } else {
          out += static_cast<char>(0xC0 | (cp >> 6));
          out += static_cast<char>(0x80 | (cp & 0x3F));
        }
      } else {
        out += e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
      }
    }
    Expect('"');
    return out;
  }

  void Skip() {
    while (pos_ < text_.size() &&
           std::string_view(" \t\r\n").find(text_[pos_]) != std::string_view::npos)
      ++pos_;
  }
  bool Accept(char c) {
    Skip();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool Word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }
  void Expect(char c) {
    if (!Accept(c)) Fail(std::string("expected '") + c + "'");
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
