// --save-as of zovuderiz-design: what can be refused is refused before the
// search (the name's rules, a name stored already, a file or folder that
// cannot be written), and the proposal is stored after it as a new engine,
// the name checked once more under the data file's lock at the moment of
// writing, so an engine saved meanwhile under that name is never replaced.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "TShed.h"

// The record's bytes of the typed name (UTF-8), cut to 29 characters; empty
// when the name breaks the name box's rules (CheckSaveAs says why).
std::string SaveAsName(const std::string& typed);

// The one-line reason the proposal could not be saved under `typed`, checked
// on a listed store before the search; nothing when it can be tried.
std::optional<std::string> CheckSaveAs(TShed& shed, const std::string& typed, const std::string& dataFile);

// Stores the proposal as a new engine; says once on err that it waits while
// another program holds the data file. The one-line reason when it was not
// stored (the name taken meanwhile, the file not written); nothing when it was.
std::optional<std::string> SaveProposal(TShed& shed, const EngineRecord& proposal, const std::string& typed,
                                        const std::string& dataFile, std::ostream& err);
