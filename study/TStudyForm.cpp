// The study window's controls and the wiring of their reactions. The plots sit
// on two tabs (the valve events; the steam: indicator diagrams, mean effective
// pressures and the cut-offs' inequality) over the table of notches, so each
// plot keeps a readable size on a small or scaled screen.
#include "TStudyForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QSplitter>
#include <QTabBar>
#include <QVBoxLayout>

#include "Controls.h"
#include "PlotGrid.h"
#include "Reaction.h"
#include "WindowPlacement.h"

namespace {

QDoubleSpinBox* AngleBox(QWidget* parent, const char* name, double lo, double hi, double value) {
  auto* box = new QDoubleSpinBox(parent);
  box->setObjectName(name);
  box->setRange(lo, hi);
  box->setDecimals(2);
  box->setValue(value);
  box->setKeyboardTracking(false);  // a study per finished number, not per keystroke
  return box;
}

QLabel* SummaryLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

// A tab's plots in a scroll area: on a small or scaled screen the plots keep
// the size their texts need and are scrolled, rather than squeezed until the
// chart cuts their labels.
QScrollArea* Scrolled(QWidget* grid) {
  auto* scroll = new QScrollArea(grid->parentWidget());
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  scroll->setWidget(grid);
  return scroll;
}

}  // namespace

TStudyForm::TStudyForm(SessionModel& model, QWidget* parent) : QWidget(parent, Qt::Window), model_(model) {
  setObjectName("StudyForm");
  setWindowTitle("QUADRANT STUDY");
  setProperty("helpTopic", "study");  // the help page F1 opens
  setFont(Controls::Font());
  Charts = new StudyCharts(this);
  Table = new QTableView(this);
  Table->setObjectName("Table");
  Table->setModel(&tableModel_);
  Table->verticalHeader()->hide();
  Table->verticalHeader()->setDefaultSectionSize(Table->fontMetrics().height() + 4);
  Table->setSelectionBehavior(QAbstractItemView::SelectRows);
  Table->horizontalHeader()->setStretchLastSection(true);
  LbHover = new QLabel(this);
  LbHover->setObjectName("LbHover");
  split_ = new QSplitter(Qt::Vertical, this);
  split_->addWidget(BuildPlotTabs());
  split_->addWidget(Table);
  split_->setStretchFactor(0, 3);
  split_->setStretchFactor(1, 1);
  LbSummary = SummaryLabel(this, "LbSummary");
  LbComparedSummary = SummaryLabel(this, "LbComparedSummary");
  LbComparedSummary->hide();
  auto* summaries = new QHBoxLayout;
  summaries->addWidget(LbSummary, 1);
  summaries->addWidget(LbComparedSummary, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildSettingRow());
  layout->addLayout(summaries);
  layout->addWidget(BuildReverserRow());
  layout->addWidget(split_, 1);
  layout->addWidget(LbHover);
  layout->addWidget(BuildButtonRow());
  ConnectReactions();
  LengthUnitChanged();
  ShowSettingSource();
  WindowPlacement::PlaceOuter(this, QPoint(110, 0), QSize(1160, 930));
}

QWidget* TStudyForm::BuildSettingRow() {
  auto* row = new QWidget(this);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  h->addWidget(Controls::Label(row, "ENGINE:", 0, 0, true));
  LbName = Controls::Label(row, "", 0, 0, true);
  LbName->setObjectName("LbName");
  h->addWidget(LbName);
  h->addSpacing(16);
  h->addWidget(new QLabel("Valves set for", row));
  CbValveSetting = new QComboBox(row);
  CbValveSetting->setObjectName("CbValveSetting");
  CbValveSetting->addItems({"equal leads", "equal cut-offs"});
  h->addWidget(CbValveSetting);
  h->addWidget(new QLabel("at", row));
  EdSetting = AngleBox(row, "EdSetting", -kSettingLimitDeg, kSettingLimitDeg, 0);
  h->addWidget(EdSetting);
  h->addWidget(new QLabel("deg.   Notch step", row));
  // Below the reverser's tenth of a degree a step is refused with a word, so
  // the box itself lets it be typed.
  EdStep = AngleBox(row, "EdStep", 0, 30, 1);
  h->addWidget(EdStep);
  ChBAuto = new QCheckBox("auto (usable range)", row);
  ChBAuto->setObjectName("ChBAuto");
  ChBAuto->setChecked(true);
  h->addWidget(ChBAuto);
  h->addWidget(new QLabel("or from", row));
  EdFrom = AngleBox(row, "EdFrom", -kSettingLimitDeg, kSettingLimitDeg, -30);
  h->addWidget(EdFrom);
  h->addWidget(new QLabel("to", row));
  EdTo = AngleBox(row, "EdTo", -kSettingLimitDeg, kSettingLimitDeg, 30);
  h->addWidget(EdTo);
  EdFrom->setEnabled(false);
  EdTo->setEnabled(false);
  h->addStretch(1);
  AddProgress(row, h);
  return row;
}

void TStudyForm::AddProgress(QWidget* row, QHBoxLayout* h) {
  Progress = new QProgressBar(row);
  Progress->setMaximumWidth(160);
  Progress->hide();
  h->addWidget(Progress);
  BtCancel = new QPushButton("Cancel", row);
  BtCancel->hide();
  h->addWidget(BtCancel);
}

QWidget* TStudyForm::BuildReverserRow() {
  auto* row = new QWidget(this);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  h->addWidget(Controls::Label(row, "REVERSER", 0, 0, true));
  Reverser = new QSlider(Qt::Horizontal, row);
  Reverser->setObjectName("Reverser");
  Reverser->setEnabled(false);
  Reverser->setToolTip("Drag to move the lifting arm; the RESULTS and ANIMATION windows follow");
  h->addWidget(Reverser, 1);
  LbReverser = new QLabel(row);
  LbReverser->setObjectName("LbReverser");
  LbReverser->setMinimumWidth(90);
  h->addWidget(LbReverser);
  // Beside the reverser, which drives the RESULTS window only when it is set alike.
  LbSettingSource = new QLabel(row);
  LbSettingSource->setObjectName("LbSettingSource");
  h->addWidget(LbSettingSource);
  LbReverserNote = new QLabel(row);
  LbReverserNote->setObjectName("LbReverserNote");
  Controls::SetTextColour(LbReverserNote, Controls::Maroon());
  h->addWidget(LbReverserNote);
  return row;
}

QWidget* TStudyForm::BuildPlotTabs() {
  Tabs = new QTabWidget(this);
  Tabs->setObjectName("Tabs");
  auto* events = new PlotGrid(Tabs);
  for (const int plot :
       {StudyCharts::cutOffPlot, StudyCharts::leadPlot, StudyCharts::portPlot, StudyCharts::eventsPlot})
    events->Add(Charts->view(plot));
  Tabs->addTab(Scrolled(events), "&Valve events");
  auto* steam = new PlotGrid(Tabs);
  for (const int plot : {StudyCharts::indicatorPlot, StudyCharts::inequalityPlot, StudyCharts::mepPlot})
    steam->Add(Charts->view(plot));
  Indicator = new IndicatorParamsBox(steam);
  steam->Add(Indicator, Qt::AlignTop | Qt::AlignLeft);
  Tabs->addTab(Scrolled(steam), "&Steam: indicator diagrams and work");
  return Tabs;
}

QWidget* TStudyForm::BuildButtonRow() {
  auto* row = new QWidget(this);
  auto* h = new QHBoxLayout(row);
  h->setContentsMargins(0, 0, 0, 0);
  BtCompare = new QPushButton("Co&mpare with...", row);
  BtCompare->setObjectName("BtCompare");
  BuildCompareMenu();
  BtPlay = new QPushButton("Pla&y...", row);
  BtPlay->setObjectName("BtPlay");
  BtPlay->setToolTip("The play of a worn gear: the study shows each figure's band from no play to it");
  BuildPlayMenu();
  BtCsv = new QPushButton("EXPORT CSV...", row);
  BtPdf = new QPushButton("PDF...", row);
  BtPrint = new QPushButton("PRINT...", row);
  BtClose = new QPushButton("CLOSE", row);
  BtReview = new QPushButton("Review gear…", row);
  BtReview->setObjectName("BtReview");
  h->addWidget(BtCompare);
  h->addWidget(BtPlay);
  h->addSpacing(16);
  h->addWidget(BtCsv);
  h->addWidget(BtPdf);
  h->addWidget(BtPrint);
  h->addWidget(BtReview);
  h->addStretch(1);
  h->addWidget(BtClose);
  return row;
}

void TStudyForm::ConnectReactions() {
  connect(&model_, &SessionModel::engineTaken, this, Reaction([this] { EngineTaken(); }));
  connect(&model_, &SessionModel::storeOpened, this, Reaction([this] { StoreOpened(); }));
  connect(&model_, &SessionModel::runChanged, this, Reaction([this] { RunChanged(); }));
  connect(&model_, &SessionModel::lengthUnitChanged, this, Reaction([this] { LengthUnitChanged(); }));
  const auto restudy = Reaction([this] { Restudy(); });
  connect(EdSetting, &QDoubleSpinBox::valueChanged, this, [this, restudy](double) {
    settingTyped_ = true;
    restudy();
  });
  connect(CbValveSetting, &QComboBox::currentIndexChanged, this, [restudy](int) { restudy(); });
  for (QDoubleSpinBox* box : {EdStep, EdFrom, EdTo})
    connect(box, &QDoubleSpinBox::valueChanged, this, [restudy](double) { restudy(); });
  connect(ChBAuto, &QCheckBox::toggled, this, [this, restudy](bool automatic) {
    EdFrom->setEnabled(!automatic);
    EdTo->setEnabled(!automatic);
    restudy();
  });
  connect(Indicator, &IndicatorParamsBox::changed, this, restudy);
  connect(BtCancel, &QPushButton::clicked, this, [this] {
    jobs_.Cancel();
    LbSummary->setText("The study was cancelled.");
  });
  connect(&progressTimer_, &QTimer::timeout, this, [this] { ShowProgress(); });
  connect(Reverser, &QSlider::valueChanged, this, Reaction([this](int value) { ReverserChanged(value); }));
  connect(Reverser, &QSlider::sliderReleased, this, Reaction([this] { ReverserLetGo(); }));
  connect(Charts, &StudyCharts::pointHovered, LbHover, &QLabel::setText);
  connect(Charts, &StudyCharts::plotClicked, this,
          Reaction([this](int plot, QPoint pixel) { PlotClicked(plot, pixel); }));
  connect(BtCsv, &QPushButton::clicked, this, Reaction([this](bool) { CsvClick(); }));
  connect(BtPdf, &QPushButton::clicked, this, Reaction([this](bool) { PdfClick(); }));
  connect(BtReview, &QPushButton::clicked, this, [this] { emit reviewRequested(); });
  connect(BtPrint, &QPushButton::clicked, this, Reaction([this](bool) { PrintClick(); }));
  connect(BtClose, &QPushButton::clicked, this, [this] { close(); });
}

void TStudyForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!tableSized_) {
    tableSized_ = true;
    GiveTableRows(kRowsInView);
  }
  if (stale_) Reaction([this] { Restudy(); })();
}

void TStudyForm::GiveTableRows(int rows) {
  // The header, the scroll bar and the frame, and the rows: a floor, so no
  // later resizing of the window takes the rows away. On a low (small or
  // scaled) screen the plots above keep the least height at which their texts
  // are whole, and the table takes what is left, at least three rows.
  const int fixed = Table->horizontalHeader()->sizeHint().height() +
                    Table->horizontalScrollBar()->sizeHint().height() + 2 * Table->frameWidth();
  const int row = Table->verticalHeader()->defaultSectionSize();
  const int room = split_->height() - split_->handleWidth();
  const int plots = Tabs->tabBar()->sizeHint().height() + Charts->view(0)->minimumHeight() + 12;
  rows = std::clamp((room - plots - fixed) / row, 3, rows);
  const int wanted = fixed + rows * row;
  Table->setMinimumHeight(wanted);
  split_->setSizes({std::max(0, room - wanted), std::min(room, wanted)});
}
