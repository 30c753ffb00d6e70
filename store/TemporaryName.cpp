// The name is parsed strictly from its end (a dot, digits, a dash, digits,
// ".tmp"), and what is before must be the file's name as the writer shortened
// it, so no other file that merely starts with the data file's name is ever
// taken for one.
#include "TemporaryName.h"

#include <dirent.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The longest file name the file systems in use take, in bytes.
constexpr std::size_t kLongestName = 255;

bool AllDigits(const std::string& text) {
  return !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
}

// As much of fileName as leaves room for the suffix.
std::string Stem(const std::string& fileName, std::size_t suffixLength) {
  return fileName.substr(0, kLongestName > suffixLength ? kLongestName - suffixLength : 0);
}

}  // namespace

std::string TemporaryPath(const std::string& path, unsigned number) {
  const auto slash = path.find_last_of('/');
  const std::size_t nameAt = slash == std::string::npos ? 0 : slash + 1;
  const std::string suffix = "." + std::to_string(::getpid()) + "-" + std::to_string(number) + ".tmp";
  return path.substr(0, nameAt) + Stem(path.substr(nameAt), suffix.size()) + suffix;
}

std::optional<pid_t> TemporaryOwner(const std::string& fileName, const std::string& entry) {
  const std::string end = ".tmp";
  if (entry.size() <= end.size() || entry.compare(entry.size() - end.size(), end.size(), end) != 0)
    return std::nullopt;
  const std::string numbers = entry.substr(0, entry.size() - end.size());
  const auto dash = numbers.rfind('-');
  const auto dot = dash == std::string::npos ? std::string::npos : numbers.rfind('.', dash);
  if (dot == std::string::npos || !AllDigits(numbers.substr(dot + 1, dash - dot - 1)) ||
      !AllDigits(numbers.substr(dash + 1)))
    return std::nullopt;
  if (dot == 0 || entry.substr(0, dot) != Stem(fileName, entry.size() - dot)) return std::nullopt;
  const long pid = std::stol(numbers.substr(dot + 1, dash - dot - 1));
  if (pid <= 0) return std::nullopt;  // 0 and below would name process groups to kill()
  return static_cast<pid_t>(pid);
}

bool ProcessGone(pid_t pid) {
  return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

std::vector<std::string> DeadTemporaries(const std::string& path) {
  // The owner is asked for every file: a live process's file is never named.
  const auto slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
  const std::string name = path.substr(folder.size());
  std::vector<std::string> dead;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return dead;
  while (const dirent* entry = ::readdir(dir)) {
    const auto owner = TemporaryOwner(name, entry->d_name);
    if (owner && ProcessGone(*owner)) dead.push_back(folder + entry->d_name);
  }
  ::closedir(dir);
  return dead;
}
