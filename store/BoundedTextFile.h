// A small text file read warily, as the data file is: looked at before it is
// opened (so a pipe or a device is refused, never waited on), opened without
// blocking, its size checked again on the open descriptor, read to its end.
#pragma once

#include <string>

// The whole text of a regular file of at most `most` bytes; on failure the
// text is empty and `problem` holds what follows the file's name in a
// sentence ("is not a regular file", "cannot be read: ...").
struct BoundedText {
  std::string text;
  std::string problem;
  bool ok() const { return problem.empty(); }
};

BoundedText ReadBoundedText(const std::string& path, long most);
