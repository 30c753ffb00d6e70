// Whether a tool's output is one JSON value as RFC 8259 has it: a small
// recursive-descent reader that keeps nothing, for the tests to read every
// report back (a missing comma, a bare inf or nan, a raw control character).
#pragma once

#include <cctype>
#include <cstring>
#include <string>

class JsonCheck {
 public:
  // Empty when `text` is one JSON value with nothing but blanks around it;
  // otherwise what is wrong and where.
  static std::string Problem(const std::string& text) {
    JsonCheck check(text);
    check.Blanks();
    if (!check.Value()) return check.Where("not a value");
    check.Blanks();
    return check.at_ == text.size() ? "" : check.Where("more after the value");
  }

 private:
  explicit JsonCheck(const std::string& text) : text_(text) {}

  std::string Where(const std::string& what) const {
    return what + " at byte " + std::to_string(at_) + ": \"" + text_.substr(at_ > 20 ? at_ - 20 : 0, 40) +
           "\"";
  }
  char Next() const { return at_ < text_.size() ? text_[at_] : '\0'; }
  bool Take(char c) {
    if (Next() != c) return false;
    ++at_;
    return true;
  }
  void Blanks() {
    while (at_ < text_.size() && std::strchr(" \t\n\r", text_[at_])) ++at_;
  }
  bool Word(const char* word) {
    if (text_.compare(at_, std::strlen(word), word) != 0) return false;
    at_ += std::strlen(word);
    return true;
  }
  bool Digits() {
    const std::size_t from = at_;
    while (std::isdigit(static_cast<unsigned char>(Next()))) ++at_;
    return at_ > from;
  }
  bool Number() {
    Take('-');
    if (!Take('0') && !Digits()) return false;
    if (Take('.') && !Digits()) return false;
    if (Take('e') || Take('E')) {
      if (!Take('+')) Take('-');
      if (!Digits()) return false;
    }
    return true;
  }
  bool String() {
    if (!Take('"')) return false;
    while (at_ < text_.size()) {
      const unsigned char c = text_[at_++];
      if (c == '"') return true;
      if (c < 0x20) return false;
      if (c != '\\') continue;
      const char e = Next();
      ++at_;
      if (e == 'u') {
        for (int i = 0; i < 4; ++i, ++at_)
          if (!std::isxdigit(static_cast<unsigned char>(Next()))) return false;
      } else if (!std::strchr("\"\\/bfnrt", e) || e == '\0') {
        return false;
      }
    }
    return false;
  }
  // Members (or elements) between `open` and `close`, separated by commas.
  bool Sequence(char close, bool members) {
    Blanks();
    if (Take(close)) return true;
    do {
      Blanks();
      if (members) {
        if (!String()) return false;
        Blanks();
        if (!Take(':')) return false;
        Blanks();
      }
      if (!Value()) return false;
      Blanks();
    } while (Take(','));
    return Take(close);
  }
  bool Value() {
    if (++depth_ > 64) return false;
    bool ok = Take('{')       ? Sequence('}', true)
              : Take('[')     ? Sequence(']', false)
              : Next() == '"' ? String()
                              : Word("true") || Word("false") || Word("null") || Number();
    --depth_;
    return ok;
  }

  const std::string& text_;
  std::size_t at_ = 0;
  int depth_ = 0;
};
