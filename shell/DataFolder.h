// Where the program keeps its files. Started from a terminal it works in the
// current folder; started from the desktop entry (which passes "--desktop") in
// a data folder of its own, made on first use with the sample engines.
#pragma once

#include <filesystem>

class DataFolder {
 public:
  // True when the arguments hold the desktop entry's "--desktop".
  static bool StartedFromDesktop(int argc, const char* const* argv);
  // $XDG_DATA_HOME/zovuderiz, or $HOME/.local/share/zovuderiz when
  // XDG_DATA_HOME is unset, empty or relative (as the XDG base directories
  // say); empty when neither gives an absolute folder.
  static std::filesystem::path DesktopFolder(const char* xdgDataHome, const char* home);
  // Makes the folder when missing and, when it holds no ste_data.dat, copies
  // the one of the examples folder into it (if that has one). Throws
  // std::runtime_error naming the folder and the reason when it cannot.
  static void Prepare(const std::filesystem::path& folder, const std::filesystem::path& examples);
};
