// The cells are read with FigureBand, so each column is the very band the
// JSON and the window show.
#include "PlayStudyCsv.h"

StudyCsvColumns PlayCsvColumns(const PlayStudy& bands, LengthUnit unit) {
  StudyCsvColumns columns;
  for (const FigureSpec* f : BandFigures())
    for (const char* side : {"Low", "High"})
      columns.titles.push_back(WithLengthUnit(std::string(f->key) + side, f->quantity, unit));
  columns.cells = [&bands](std::size_t i) {
    std::vector<std::string> cells;
    for (const FigureSpec* f : BandFigures()) {
      const auto range = FigureBand(*f, bands.study.rows[i], bands.bands[i]);
      cells.push_back(range ? StudyCsvNumber(range->first) : "");
      cells.push_back(range ? StudyCsvNumber(range->second) : "");
    }
    return cells;
  };
  return columns;
}

std::string PlayStudyCsvText(const PlayStudy& bands, const std::string& engineName, LengthUnit unit) {
  return StudyCsvText(bands.study, engineName, unit, PlayCsvColumns(bands, unit));
}
