// The usable range is searched on every core; the file is put in place by
// the store's atomic writer, as results.txt is.
#include "DrawingExport.h"

#include <algorithm>
#include <cctype>
#include <thread>

#include "Cp1252.h"
#include "DxfWriter.h"
#include "EngineConversion.h"
#include "GearDrawingBuild.h"
#include "MessageLine.h"
#include "SvgWriter.h"
#include "SweepCommand.h"
#include "TextFile.h"
#include "UnitSetting.h"

namespace {

constexpr const char* kProgram = "zovuderiz-sweep: ";

bool IsSvg(const std::string& path) {
  std::string ending = path.substr(path.size() - std::min<std::size_t>(4, path.size()));
  for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ending == ".svg";
}

}  // namespace

int WriteDrawingFile(const SweepOptions& options, const EngineRecord& record, std::ostream& out,
                     std::ostream& err) {
  Session session;
  if (const auto failure = session.Take(ToEngine(record))) {
    WriteMessageLine(err, kProgram, options.name + ": " + FailureMessage(*failure));
    return kExitCannotAssemble;
  }
  DrawingRequest request;
  request.liftArmDeg = options.angles.front();
  request.crankDeg = options.crankDeg;
  request.parts = options.parts;
  request.unit = LabelUnit(options.unit, options.dataFile, kProgram, err);
  request.engineName = Cp1252ToUtf8(RecordName(record));  // the engine drawn, as the window names it
  request.threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const DrawingOutcome outcome = BuildDrawing(session, request);
  if (!outcome.drawing) {
    WriteMessageLine(err, kProgram, options.name + ": " + outcome.error);
    return kExitCannotAssemble;
  }
  std::string reason;
  const std::optional<std::string> text =
      IsSvg(options.drawingFile) ? SvgText(*outcome.drawing) : DxfText(*outcome.drawing, reason);
  const FileWrite written = text ? WriteFileAtomically(options.drawingFile, *text) : FileWrite{};
  if (!text || !written.ok()) {
    WriteMessageLine(
        err, kProgram,
        "cannot write the drawing '" + options.drawingFile + "': " + (text ? written.reason : reason));
    return kExitFileOrEngine;
  }
  out << (options.parts ? "Part sheets" : "Gear drawing") << " written to "
      << EscapeControls(options.drawingFile) << '\n';
  if (!outcome.note.empty()) out << outcome.note << '\n';
  return kExitOk;
}
