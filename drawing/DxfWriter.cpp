// dxflib writes only to a named file, so the text is written to a scratch
// file of our own (mkstemp) and read back; the caller puts it in place
// atomically. Texts are ASCII with \U+XXXX escapes for other characters, so
// they read the same whatever code page a reader assumes.
#include "DxfWriter.h"

#include <dl_dxf.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

namespace {

int InsUnits(LengthUnit unit) {
  return unit == LengthUnit::in ? 1 : unit == LengthUnit::mm ? 4 : 0;
}

int ColourOf(Layer layer) {
  switch (layer) {
    case Layer::centreLines:
      return 4;  // cyan
    case Layer::parts:
      return 7;  // white or black
    case Layer::pins:
      return 1;  // red
    case Layer::dimensions:
      return 3;  // green
    case Layer::text:
      return 7;
    case Layer::midGear:
      return 8;  // grey
    case Layer::dieTravel:
      return 5;  // blue
  }
  return 7;
}

// Line weights in hundredths of a millimetre: mid-gear thin, parts bold.
int WeightOf(Layer layer) {
  return layer == Layer::midGear ? 13 : layer == Layer::parts ? 50 : 25;
}

std::string Escaped(const std::string& utf8) {
  std::string out;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const int length = c < 0x80 ? 1 : c >> 5 == 6 ? 2 : c >> 4 == 14 ? 3 : c >> 3 == 30 ? 4 : 1;
    if (length == 1 || i + length > utf8.size()) {
      out += c < 0x80 ? static_cast<char>(c) : '?';
      i += 1;
      continue;
    }
    unsigned code = c & (0x7f >> length);
    for (int j = 1; j < length; ++j) code = code << 6 | (static_cast<unsigned char>(utf8[i + j]) & 0x3f);
    char escape[16];
    std::snprintf(escape, sizeof escape, "\\U+%04X", code);
    out += escape;
    i += static_cast<std::size_t>(length);
  }
  return out;
}

class SheetWriter {
 public:
  SheetWriter(DL_Dxf& dxf, DL_WriterA& w) : dxf_(dxf), w_(w) {}

  void Write(const Sheet& s) {
    for (const auto& l : s.lines) Line(l);
    for (const auto& a : s.arcs)
      dxf_.writeArc(w_, DL_ArcData(a.centre.x, a.centre.y, 0, a.radius, a.startDeg, a.endDeg), Attr(a.layer));
    for (const auto& c : s.circles)
      dxf_.writeCircle(w_, DL_CircleData(c.centre.x, c.centre.y, 0, c.radius), Attr(c.layer));
    for (const auto& t : s.texts) Text(t);
    for (const auto& d : s.dimensions) {
      const DimensionShapes shapes = ShapesOf(d, s.textHeight);
      for (const auto& l : shapes.lines) Line(l);
      Text(shapes.text);
    }
  }

 private:
  DL_Attributes Attr(Layer layer) const { return DL_Attributes(LayerName(layer), 256, -1, "BYLAYER", 1.0); }
  void Line(const DrawnLine& l) {
    dxf_.writeLine(w_, DL_LineData(l.a.x, l.a.y, 0, l.b.x, l.b.y, 0), Attr(l.layer));
  }
  void Text(const DrawnText& t) {
    dxf_.writeText(w_,
                   DL_TextData(t.at.x, t.at.y, 0, t.at.x, t.at.y, 0, t.height, 1, 0, 0, 0, Escaped(t.text),
                               "Standard", 0),
                   Attr(t.layer));
  }
  DL_Dxf& dxf_;
  DL_WriterA& w_;
};

void WriteTables(DL_Dxf& dxf, DL_WriterA& w, const Drawing& drawing, bool blocks) {
  w.sectionTables();
  dxf.writeVPort(w);
  w.tableLinetypes(3);
  dxf.writeLinetype(w, DL_LinetypeData("BYBLOCK", "", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("BYLAYER", "", 0, 0, 0.0));
  dxf.writeLinetype(w, DL_LinetypeData("CONTINUOUS", "Solid line", 0, 0, 0.0));
  w.tableEnd();
  w.tableLayers(1 + static_cast<int>(std::size(kLayers)));
  dxf.writeLayer(w, DL_LayerData("0", 0), DL_Attributes("", 7, 25, "CONTINUOUS", 1.0));
  for (Layer layer : kLayers)
    dxf.writeLayer(w, DL_LayerData(LayerName(layer), 0),
                   DL_Attributes("", ColourOf(layer), WeightOf(layer), "CONTINUOUS", 1.0));
  w.tableEnd();
  w.tableStyle(1);
  dxf.writeStyle(w, DL_StyleData("Standard", 0, 0.0, 1.0, 0.0, 0, 2.5, "txt", ""));
  w.tableEnd();
  dxf.writeView(w);
  dxf.writeUcs(w);
  w.tableAppid(1);
  dxf.writeAppid(w, "ACAD");
  w.tableEnd();
  dxf.writeDimStyle(w, 1, 1, 1, 1, 1);
  dxf.writeBlockRecord(w);
  if (blocks)
    for (const Sheet& s : drawing.sheets) dxf.writeBlockRecord(w, s.key);
  w.tableEnd();
  w.sectionEnd();
}

void WriteBlocks(DL_Dxf& dxf, DL_WriterA& w, const Drawing& drawing, bool blocks) {
  w.sectionBlocks();
  for (const char* space : {"*Model_Space", "*Paper_Space", "*Paper_Space0"}) {
    dxf.writeBlock(w, DL_BlockData(space, 0, 0.0, 0.0, 0.0));
    dxf.writeEndBlock(w, space);
  }
  if (blocks)
    for (const Sheet& s : drawing.sheets) {
      dxf.writeBlock(w, DL_BlockData(s.key, 0, 0.0, 0.0, 0.0));
      SheetWriter(dxf, w).Write(s);
      dxf.writeEndBlock(w, s.key);
    }
  w.sectionEnd();
}

void WriteDxf(const Drawing& drawing, const char* path) {
  DL_Dxf dxf;
  std::unique_ptr<DL_WriterA> w(dxf.out(path, DL_Codes::AC1015));
  if (!w) return;
  const bool blocks = drawing.sheets.size() > 1;
  dxf.writeHeader(*w);
  w->dxfString(9, "$INSUNITS");
  w->dxfInt(70, InsUnits(drawing.unit));
  w->dxfString(9, "$MEASUREMENT");
  w->dxfInt(70, drawing.unit == LengthUnit::in ? 0 : 1);
  w->sectionEnd();
  WriteTables(dxf, *w, drawing, blocks);
  WriteBlocks(dxf, *w, drawing, blocks);
  w->sectionEntities();
  if (blocks) {
    const std::vector<Point> places = SheetPlaces(drawing);
    for (std::size_t i = 0; i < drawing.sheets.size(); ++i)
      dxf.writeInsert(
          *w, DL_InsertData(drawing.sheets[i].key, places[i].x, places[i].y, 0, 1, 1, 1, 0, 1, 1, 0, 0),
          DL_Attributes("0", 256, -1, "BYLAYER", 1.0));
  } else if (!drawing.sheets.empty()) {
    SheetWriter(dxf, *w).Write(drawing.sheets.front());
  }
  w->sectionEnd();
  dxf.writeObjects(*w);
  dxf.writeObjectsEnd(*w);
  w->dxfEOF();
  w->close();
}

}  // namespace

std::optional<std::string> DxfText(const Drawing& drawing, std::string& reason) {
  const char* tmp = std::getenv("TMPDIR");
  std::string path = std::string(tmp != nullptr && *tmp != 0 ? tmp : "/tmp") + "/zovuderiz-dxf-XXXXXX";
  const int fd = ::mkstemp(path.data());
  if (fd < 0) {
    reason = std::string("cannot make a scratch file in the temporary folder: ") + std::strerror(errno);
    return std::nullopt;
  }
  ::close(fd);
  WriteDxf(drawing, path.c_str());
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  ::unlink(path.c_str());
  const std::string dxf = text.str();
  if (!in || dxf.size() < 4 || dxf.find("EOF") == std::string::npos) {
    reason = "dxflib could not write its scratch file in the temporary folder";
    return std::nullopt;
  }
  return dxf;
}
