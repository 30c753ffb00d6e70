// The rules an engine name follows wherever the user types one, in the
// window's name boxes and on the command line alike: characters of the data
// file's code page (Windows-1252) only, no control characters, and only the
// first 29 characters kept, cut between characters, never inside one.
#pragma once

#include <string>

// C0 and C1 controls (the code page's five undefined bytes read as C1 controls).
bool IsControlCharacter(char32_t c);
// A character a typed name may hold: the code page has it and it is no control.
bool IsNameCharacter(char32_t c);

// A typed name as the record's bytes, or why it cannot be one.
struct NameBytes {
  std::string bytes;  // at most 29 single bytes
  std::string fault;  // empty when the name is good; never holds the raw text
  bool ok() const { return fault.empty(); }
};

// The record's bytes of a UTF-8 name: every character checked, then the first
// 29 kept. The fault names the offending character by its position and code
// point only, so a message built from it stays on one line.
NameBytes EngineNameFromUtf8(const std::string& utf8);
