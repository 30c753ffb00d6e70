// Names are built on the record's single bytes, so a cut never splits a
// character; the numbering tries a bounded number of names, far more than a
// data file of engines can hold.
#include "FreeName.h"

#include "EngineRecord.h"

namespace {

constexpr char kEllipsis = '\x85';  // "…" in Windows-1252

std::string Fitted(const std::string& base, const std::string& tail) {
  if (base.size() + tail.size() <= kEngineNameLimit) return base + tail;
  if (tail.size() + 1 >= kEngineNameLimit) return tail.substr(0, kEngineNameLimit);
  std::string cut = base.substr(0, kEngineNameLimit - tail.size() - 1);
  while (!cut.empty() && cut.back() == ' ') cut.pop_back();
  return cut + kEllipsis + tail;
}

}  // namespace

std::string FreeEngineName(const std::string& base, const std::string& suffix,
                           const std::function<bool(const std::string&)>& taken) {
  std::string name = Fitted(base, suffix);
  for (int n = 2; taken(name) && n < 100000; ++n) name = Fitted(base, suffix + " " + std::to_string(n));
  return name;
}
