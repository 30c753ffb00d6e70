// dxflib's entities go through a writer of our own that keeps the text in
// memory (no scratch file to leave behind) and writes each real with the
// fewest significant digits that read back as the same double (dxflib's own
// fixed 16 decimals draw a tiny engine as zeros); the caller puts the text in
// place atomically. Texts are ASCII with \U+XXXX escapes for other characters
// and for control characters, so they read the same whatever code page a
// reader assumes and never end a group early.
#include "DxfWriter.h"

#include <dl_dxf.h>

#include <charconv>
#include <cstdio>
#include <iterator>
#include <memory>
#include <string>

namespace {

// DL_WriterA with every group written to a string; its file is never opened.
class TextWriter : public DL_WriterA {
 public:
  TextWriter() : DL_WriterA("", DL_Codes::AC1015) {}
  void dxfReal(int gc, double value) const override { dxfString(gc, Real(value)); }
  void dxfInt(int gc, int value) const override { dxfString(gc, std::to_string(value)); }
  void dxfHex(int gc, int value) const override {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%0X", static_cast<unsigned>(value));
    dxfString(gc, hex);
  }
  void dxfString(int gc, const char* value) const override {
    if (value != nullptr) dxfString(gc, std::string(value));
  }
  void dxfString(int gc, const std::string& value) const override {
    text_ += (gc < 10 ? "  " : gc < 100 ? " " : "") + std::to_string(gc) + "\n" + value + "\n";
  }
  const std::string& text() const { return text_; }

 private:
  // The shortest text that reads back as the same double, with a decimal
  // point as DXF readers expect ("2.0", "1.5E-150").
  static std::string Real(double value) {
    char digits[40];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    std::string text(digits, end);
    const auto exponent = text.find('e');
    std::string mantissa = text.substr(0, exponent);
    if (mantissa.find('.') == std::string::npos && mantissa.find_first_of("ni") == std::string::npos)
      mantissa += ".0";
    return exponent == std::string::npos ? mantissa : mantissa + "E" + text.substr(exponent + 1);
  }

  mutable std::string text_;
};

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
    if (c < 0x20 || c == 0x7f) {
      char escape[16];
      std::snprintf(escape, sizeof escape, "\\U+%04X", c);
      out += escape;
      i += 1;
      continue;
    }
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

std::string WriteDxf(const Drawing& drawing) {
  DL_Dxf dxf;
  const auto w = std::make_unique<TextWriter>();
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
  return w->text();
}

}  // namespace

std::optional<std::string> DxfText(const Drawing& drawing, std::string& reason) {
  std::string dxf = WriteDxf(drawing);
  if (dxf.size() < 4 || dxf.compare(dxf.size() - 4, 4, "EOF\n") != 0) {
    reason = "dxflib did not finish the drawing";
    return std::nullopt;
  }
  return dxf;
}
