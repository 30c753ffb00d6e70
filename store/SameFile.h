// Whether two paths name one file, told by device and inode so that links,
// relative spellings and "./" do not hide it: the one check every writer of
// the program makes before writing over a path the user chose.
#pragma once

#include <string>

// True when both paths name one existing file, however spelled (links included).
bool SameFile(const std::string& a, const std::string& b);
