// stat() follows links and never opens the file, so a pipe or a device named
// by either path cannot block the caller.
#include "SameFile.h"

#include <sys/stat.h>

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first, second;
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}
