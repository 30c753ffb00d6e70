// A name for an engine made from another (scaled, proposed, fixed, copied)
// that no stored engine holds: the base shortened to make room for the
// suffix, and numbered when even that name is taken.
#pragma once

#include <functional>
#include <string>

// Record bytes (Windows-1252) of at most 29 characters: `base` + `suffix`;
// when that is too long the base is cut, its trailing blanks dropped and an
// ellipsis put after it ("Low shaft, short lif… 1:8"); while `taken` says a
// name is stored, " 2", " 3", ... follow the suffix. `suffix` is kept whole
// when it fits in 29 characters with room for an ellipsis.
std::string FreeEngineName(const std::string& base, const std::string& suffix,
                           const std::function<bool(const std::string&)>& taken);
