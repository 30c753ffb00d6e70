// Read whole through ReadBoundedText, parsed only once it is whole.
#include "PlayFile.h"

#include "BoundedTextFile.h"
#include "PlayCsv.h"

PlayRead ReadPlayFile(const std::string& path) {
  const BoundedText read = ReadBoundedText(path, kMostPlayFileBytes);
  if (!read.ok()) return {{}, "The play file \"" + path + "\" " + read.problem + "."};
  auto parsed = ParsePlayCsv(read.text);
  if (const auto* problem = std::get_if<PlayTextProblem>(&parsed))
    return {
        {},
        "The play file \"" + path + "\" has a bad row, " + PlayProblemText(*problem) + "; nothing was read."};
  return {std::get<GearPlay>(parsed), {}};
}
