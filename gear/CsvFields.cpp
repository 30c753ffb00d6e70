// Fields are cut at every comma; no field of these files holds a comma, so
// quotes are only taken off, never followed across a comma.
#include "CsvFields.h"

std::string TrimmedCsvField(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  std::string field = text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
  if (field.size() >= 2 && field.front() == '"' && field.back() == '"') field = field.substr(1, field.size() - 2);
  return field;
}

std::vector<std::string> CsvFields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t comma; (comma = line.find(',', start)) != std::string::npos; start = comma + 1)
    fields.push_back(TrimmedCsvField(line.substr(start, comma - start)));
  fields.push_back(TrimmedCsvField(line.substr(start)));
  return fields;
}
