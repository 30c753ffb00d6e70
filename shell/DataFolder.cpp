// The data folder chosen from the arguments and the XDG variables, and its
// first-use set-up with std::filesystem (an existing data file is never touched).
#include "DataFolder.h"

#include <cstring>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

bool DataFolder::StartedFromDesktop(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--desktop") == 0) return true;
  return false;
}

fs::path DataFolder::DesktopFolder(const char* xdgDataHome, const char* home) {
  if (xdgDataHome != nullptr && fs::path(xdgDataHome).is_absolute())
    return fs::path(xdgDataHome) / "zovuderiz";
  if (home != nullptr && fs::path(home).is_absolute())
    return fs::path(home) / ".local" / "share" / "zovuderiz";
  return {};
}

void DataFolder::Prepare(const fs::path& folder, const fs::path& examples) {
  std::error_code error;
  fs::create_directories(folder, error);
  if (!error && !fs::is_directory(folder)) error = std::make_error_code(std::errc::not_a_directory);
  if (!error && !fs::exists(folder / "ste_data.dat") && fs::exists(examples / "ste_data.dat"))
    fs::copy_file(examples / "ste_data.dat", folder / "ste_data.dat", error);
  if (error)
    throw std::runtime_error("Cannot set up the data folder \"" + folder.string() + "\": " + error.message() +
                             ".");
}
