// A record's fields in the data file's order under their keys; numbers at full precision.
#include "DesignReportInput.h"

#include "Cp1252.h"
#include "JsonText.h"
#include "RecordFields.h"

std::string ProposalJson(const EngineRecord& r) {
  std::string text = "{\"name\": " + JsonString(Cp1252ToUtf8(RecordName(r)));
  for (const RecordField& f : RecordFields())
    text +=
        ", " + JsonString(f.key) + ": " + (f.number ? JsonNumber(r.*f.number) : std::to_string(r.*f.whole));
  return text + "}";
}

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}
