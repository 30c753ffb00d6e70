// The name is parsed strictly (digits, a dash, digits, ".tmp"), so no other
// file that merely starts with the data file's name is ever taken for one.
#include "TemporaryName.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

bool AllDigits(const std::string& text) {
  return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

}  // namespace

std::string TemporaryPath(const std::string& path, unsigned number) {
  return path + "." + std::to_string(::getpid()) + "-" + std::to_string(number) + ".tmp";
}

std::optional<pid_t> TemporaryOwner(const std::string& fileName, const std::string& entry) {
  const std::string prefix = fileName + ".", suffix = ".tmp";
  if (entry.size() <= prefix.size() + suffix.size() || entry.compare(0, prefix.size(), prefix) != 0 ||
      entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) != 0)
    return std::nullopt;
  const std::string middle = entry.substr(prefix.size(), entry.size() - prefix.size() - suffix.size());
  const auto dash = middle.find('-');
  if (dash == std::string::npos || !AllDigits(middle.substr(0, dash)) || !AllDigits(middle.substr(dash + 1)))
    return std::nullopt;
  const long pid = std::stol(middle.substr(0, dash));
  if (pid <= 0) return std::nullopt;  // 0 and below would name process groups to kill()
  return static_cast<pid_t>(pid);
}

bool ProcessGone(pid_t pid) {
  return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}
