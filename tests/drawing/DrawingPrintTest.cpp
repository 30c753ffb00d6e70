// The 1:1 print tiled over PDF pages (page count, the scale bar measured in
// the PDF with poppler's pdftotext), and the results window's File menu
// handing its notch to the export dialog, which writes DXF and refuses the
// data file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QMenu>
#include <QPrinter>
#include <QSignalSpy>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "DrawingExportDialog.h"
#include "SampleEngines.h"
#include "SessionModel.h"
#include "TResultsForm.h"
#include "TiledPrint.h"
#include "WindowPrinter.h"

namespace {

namespace fs = std::filesystem;

std::string Output(const std::string& command) {
  std::string text;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return text;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) text.append(buffer, n);
  ::pclose(pipe);
  return text;
}

fs::path TestFolder() {
  const fs::path dir = fs::temp_directory_path() / ("zov_drawing_print_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  return dir;
}

// A 500 by 100 mm drawing on A4 with 10 mm margins: the printable 190 mm
// across take (500 - 10) / (190 - 10), so 3 pages side by side; one row.
TEST(TiledPrintTest, PagesAndAScaleBarThatMeasuresItsStatedLength) {
  Drawing drawing;
  drawing.unit = LengthUnit::mm;
  Sheet sheet;
  sheet.key = "TEST";
  sheet.lines = {{Layer::parts, {0, 0}, {500, 100}}};
  drawing.sheets = {sheet};
  const std::string pdf = (TestFolder() / "tiles.pdf").string();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  ASSERT_EQ(PrintTiled(printer, drawing, "test"), 3);
  EXPECT_NE(Output("pdfinfo '" + pdf + "'").find("Pages:           3"), std::string::npos);
  // The figures at the bar's two ends are centred on its ticks, on one line.
  const std::string words = Output("pdftotext -f 2 -l 2 -bbox '" + pdf + "' -");
  const std::regex word(
      "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">(0|100)</word>");
  std::map<std::string, std::vector<std::pair<double, double>>> found;  // text: (centre x, y)
  for (auto it = std::sregex_iterator(words.begin(), words.end(), word); it != std::sregex_iterator(); ++it)
    found[(*it)[4]].push_back({(std::stod((*it)[1]) + std::stod((*it)[3])) / 2, std::stod((*it)[2])});
  ASSERT_EQ(found["0"].size(), 1u) << words;
  bool measured = false;
  for (const auto& [x, y] : found["100"])
    if (std::fabs(y - found["0"][0].second) < 0.5) {
      EXPECT_NEAR(x - found["0"][0].first, 100 / 25.4 * 72, 0.6);
      measured = true;
    }
  EXPECT_TRUE(measured) << words;
  fs::remove_all(TestFolder());
}

// Two short lines at the ends of the same 500 mm: the middle page would be
// blank, so it is left out and said; the pages printed keep their grid places.
TEST(TiledPrintTest, APageWithNothingOfTheDrawingIsLeftOutAndCounted) {
  Drawing drawing;
  drawing.unit = LengthUnit::mm;
  Sheet sheet;
  sheet.key = "TEST";
  sheet.lines = {{Layer::parts, {0, 0}, {20, 100}}, {Layer::parts, {480, 0}, {500, 100}}};
  drawing.sheets = {sheet};
  const std::string pdf = (TestFolder() / "sparse.pdf").string();
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QString::fromStdString(pdf));
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  const TileCount count = CountTiles(printer, drawing);
  EXPECT_EQ(count.printed, 2);
  EXPECT_EQ(count.blank, 1);
  ASSERT_EQ(PrintTiled(printer, drawing, "test"), 2);
  EXPECT_NE(Output("pdfinfo '" + pdf + "'").find("Pages:           2"), std::string::npos);
  EXPECT_NE(Output("pdftotext -f 2 -l 2 '" + pdf + "' -").find("Page 2 of 2 (row 1 of 1, column 3 of 3)"),
            std::string::npos);
  fs::remove_all(TestFolder());
}

TEST(DrawingRequestTest, TheResultsWindowsFileMenuHandsItsNotchToTheDialog) {
  SessionModel model;
  ASSERT_FALSE(model.TakeEngine(SampleGear("Goods 0-6-0 slide valve")));
  ASSERT_TRUE(model.Go(12.5).ok());
  TResultsForm results(model);
  QSignalSpy requests(&results, &TResultsForm::drawingRequested);
  results.BtFile->menu()->actions().at(0)->trigger();
  ASSERT_EQ(requests.count(), 1);
  // The angle as typed, not one rounding step away: the drawing solves the gear GO solved.
  EXPECT_EQ(requests.at(0).at(0).toDouble(), 12.5);
  EXPECT_TRUE(std::isnan(requests.at(0).at(1).toDouble()));
  EXPECT_FALSE(requests.at(0).at(2).toBool());

  const fs::path dir = TestFolder();
  const std::string data = (dir / "ste_data.dat").string();
  std::ofstream(data) << "engines";
  fs::create_symlink(data, dir / "data.dxf");
  DrawingExportDialog dialog(&results);
  dialog.Open(model.session(), {20, NAN, false}, LengthUnit::mm, "Goods", data);
  EXPECT_EQ(dialog.EdCrank->value(), 0);  // this engine starts on the back dead centre
  EXPECT_NE(dialog.Export(DrawingExportDialog::Form::dxf, QString::fromStdString((dir / "data.dxf").string()))
                .indexOf("is the data file"),
            -1);
  EXPECT_EQ(fs::file_size(data), 7u);
  // The 1:1 print asks where its pages go as every window does: no printer, a PDF file, never the data file.
  const WindowPrinter::Dialogs noPrinter{
      [] { return false; }, nullptr,
      [&dir](QWidget*, const QString&) { return QString::fromStdString((dir / "data.dxf").string()); }};
  WindowPrinter::SetDialogs(&noPrinter);
  EXPECT_NE(dialog.Export(DrawingExportDialog::Form::print, "").indexOf("is the data file"), -1);
  WindowPrinter::SetDialogs(nullptr);
  EXPECT_EQ(fs::file_size(data), 7u);
  EXPECT_EQ(dialog.SuggestedFile(".dxf"), QString::fromStdString(dir.string()) + "/Goods gear.dxf");
  EXPECT_EQ(
      dialog.Export(DrawingExportDialog::Form::dxf, QString::fromStdString((dir / "gear.dxf").string())), "");
  EXPECT_GT(fs::file_size(dir / "gear.dxf"), 1000u);
  dialog.close();
  fs::remove_all(dir);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
