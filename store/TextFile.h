// Writing a file whole: through a new temporary file beside it that is synced
// and renamed over the old one, so that a full disk or a crash never leaves
// the file cut off.
#pragma once

#include <string>

// How writing a file ended; on a failure the file at the path is as it was.
struct FileWrite {
  enum class Outcome { written, notOpened, notWritten };
  Outcome outcome = Outcome::written;
  std::string reason;  // the system's reason for a failure
  bool ok() const { return outcome == Outcome::written; }
};

// Replaces the file at path with text. notOpened when the file cannot be made
// there, notWritten when the writing itself fails.
FileWrite WriteFileAtomically(const std::string& path, const std::string& text);
