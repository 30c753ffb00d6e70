// The names of the temporary files a write puts beside the file it replaces,
// "<file>.<pid>-<n>.tmp": the writer's process id in the name lets a later
// write tell the files that killed writers left from those of live ones. A
// name that would pass the file system's 255 bytes keeps only as much of
// <file> as fits.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

// A temporary file's path beside path, for this process and that number.
std::string TemporaryPath(const std::string& path, unsigned number);
// The process id in entry when entry names a temporary file of the file named
// fileName (both without their folder); nothing otherwise.
std::optional<pid_t> TemporaryOwner(const std::string& fileName, const std::string& entry);
// True only when no process of that id exists (one of another user exists).
bool ProcessGone(pid_t pid);
// The temporary files beside path whose writers are gone, with their folder.
std::vector<std::string> DeadTemporaries(const std::string& path);
