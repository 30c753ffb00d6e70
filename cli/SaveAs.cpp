// The checks before the search only spare a long search that could not be
// saved; the store's SaveNewEngine alone decides, under the lock.
#include "SaveAs.h"

#include "EngineName.h"
#include "MessageLine.h"

namespace {

std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find('\n'));
}

}  // namespace

std::string SaveAsName(const std::string& typed) {
  return EngineNameFromUtf8(typed).bytes;
}

std::optional<std::string> CheckSaveAs(TShed& shed, const std::string& typed, const std::string& dataFile) {
  const NameBytes name = EngineNameFromUtf8(typed);
  if (!name.ok()) return "the name given to --save-as " + name.fault;
  if (shed.FindEngine(name.bytes.c_str()).record)
    return "an engine named '" + typed + "' exists already in '" + dataFile + "'; choose another name";
  const StoreOutcome writable = shed.CheckWritable();
  if (!writable.ok()) return FirstLine(writable.message) + "; the proposal could not be saved";
  return std::nullopt;
}

std::optional<std::string> SaveProposal(TShed& shed, const EngineRecord& proposal, const std::string& typed,
                                        const std::string& dataFile, std::ostream& err) {
  LockWait wait;
  wait.waiting = [&err, &dataFile] {
    WriteMessageLine(
        err, "zovuderiz-design: ", "waiting for another program to finish with '" + dataFile + "'...");
    err.flush();
  };
  const StoreOutcome saved = shed.SaveNewEngine(proposal, wait);
  if (saved.kind == StoreOutcome::Kind::nameTaken)
    return "an engine named '" + typed + "' was saved in '" + dataFile +
           "' during the search; the proposal above was not stored";
  if (!saved.ok()) return FirstLine(saved.message) + "; the proposal above was not stored";
  return std::nullopt;
}
