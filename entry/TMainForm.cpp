// The data-entry window's controls at their laid-out places, the opening of
// its store (names listed, boxes locked) and the box key and focus handling.
#include "TMainForm.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <algorithm>

#include "BoxText.h"
#include "Controls.h"
#include "NameValidator.h"
#include "QtPrompter.h"
#include "Reaction.h"
#include "WindowPlacement.h"

const std::array<TMainForm::DimensionBox, 17>& TMainForm::Boxes() {
  static const std::array<DimensionBox, 17> boxes = {{
      {"EdConrod", "Connecting rod", &EngineRecord::conrod, false, 46, 1, 0},
      {"EdMcrank", "Main crank radius", &EngineRecord::mcrank, false, 59, 2, 1},
      {"EdEccrad", "Eccenrtic radius", &EngineRecord::eccrad, false, 72, 3, 2},
      {"EdAngadv", "Angle of advance", &EngineRecord::angadv, false, 85, 5, 12},
      {"EdEccrod", "Length of eccentric rod", &EngineRecord::eccrod, false, 98, 4, 3},
      {"EdPintoslot", "Ecc.rod pin to link slot", &EngineRecord::pintoslot, false, 111, 6, 9},
      {"EdCtoweighh", "Crank axle to Weighshaft (h)", &EngineRecord::ctoweighh, false, 124, 7, 7},
      {"EdCtoweighv", "Crank axle to Weighshaft (v)", &EngineRecord::ctoweighv, false, 137, 8, 8},
      {"EdLarad", "Lifting arm radius", &EngineRecord::larad, false, 150, 9, 6},
      {"EdLiftlink", "Length of lifting link", &EngineRecord::liftlink, false, 163, 10, 5},
      {"EdLinkpins", "Dist. between  pins on link", &EngineRecord::linkpins, true, 46, 11, 4},
      {"EdCircdisp", "Circ.disp. of lifting pin", &EngineRecord::circdisp, true, 59, 12, 10},
      {"EdRaddisp", "Radial disp. of lifting pin", &EngineRecord::raddisp, true, 72, 13, 11},
      {"EdStlap", "Steam lap", &EngineRecord::stlap, true, 85, 14, -1},
      {"EdExlap", "Exhaust lap", &EngineRecord::exlap, true, 98, 15, -1},
      {"EdPort", "Port width", &EngineRecord::port, true, 111, 16, -1},
      {"EdRocker", "Rocker arm ratio", &EngineRecord::rockerRatio, true, 124, 17, -1},
  }};
  return boxes;
}

TMainForm::TMainForm(SessionModel& model, QWidget* parent) : QMainWindow(parent), model_(model) {
  setObjectName("MainForm");
  setProperty("helpTopic", "engines");  // the help page F1 opens
  setWindowTitle("Vardenlyke valve gear  DATA  ENTRY");
  setFont(Controls::Font());
  auto* surface = new QWidget(this);
  surface->setObjectName("surface");
  setCentralWidget(surface);
  BuildControls(surface);
  BuildDimensionBoxes(surface);
  BuildMenu();
  SetTabOrder();
  ConnectReactions();
  WindowPlacement::PlaceOuter(this, {5, 462}, {575, 289});
}

void TMainForm::BuildControls(QWidget* surface) {
  Controls::Label(surface, "SELECT ENGINE", 20, 7);
  CB_Engines = new QComboBox(surface);
  CB_Engines->setObjectName("CB_Engines");
  CB_Engines->setEditable(true);
  CB_Engines->setInsertPolicy(QComboBox::NoInsert);
  CB_Engines->setCompleter(nullptr);
  CB_Engines->setGeometry(13, 20, 98, 21);
  CB_Engines->lineEdit()->setValidator(new NameValidator(CB_Engines->lineEdit()));
  CB_Engines->lineEdit()->installEventFilter(this);
  Controls::SetBackground(CB_Engines, Controls::ScrollBarColour());
  Controls::Label(surface, "CURRENT ENGINE", 130, 7);
  EdName = Controls::Edit(surface, 247, 0, 98, 21, true);
  EdName->setObjectName("EdName");
  EdName->setFont(Controls::Font(true));
  EdName->setValidator(new NameValidator(EdName));
  ChBDims = new QCheckBox("Show Dimensions", surface);
  ChBDims->setObjectName("ChBDims");
  ChBDims->setFont(Controls::Font(false, true));
  ChBDims->setGeometry(403, 7, 125, 13);
  ChBDims->setToolTip("Identifies the dimensions listed below");
  BuildNewEngineControls(surface);
  BuildButtons(surface);
}

void TMainForm::BuildNewEngineControls(QWidget* surface) {
  Controls::Bevel(surface, 7, 46, 111, 195);
  Controls::Label(surface, "NEW  ENGINE", 26, 46, false, Controls::Maroon());
  EdNewEng = Controls::Edit(surface, 13, 59, 92, 21, true);
  EdNewEng->setObjectName("EdNewEng");
  EdNewEng->setValidator(new NameValidator(EdNewEng));
  RadioGroup1 =
      BuildRadioGroup(surface, "Valve Type", {"Outside adm", "Inside  adm"}, 13, 85, 98, 46, valveGroup);
  RadioGroup1->setObjectName("RadioGroup1");
  Controls::Label(surface, "View Rocker type", 20, 143);
  BtViewrock = Controls::Button(surface, " Rocker types", 13, 137, 98, 20);
  BtViewrock->setToolTip("Defines Rocker Types");
  RadioGroup2 =
      BuildRadioGroup(surface, "Rocker", {"No Rocker", "Type A", "Type B"}, 13, 163, 98, 72, rockerGroup);
  RadioGroup2->setObjectName("RadioGroup2");
}

void TMainForm::BuildButtons(QWidget* surface) {
  Controls::Bevel(surface, 130, 39, 423, 170);
  BtSave = Controls::Button(surface, "Save  Current  Engine", 150, 182, 143, 20);
  BtSave->setToolTip("If you modify the name of the CURRENT  ENGINE,  a new record will be saved");
  BtDelete = Controls::Button(surface, "Delete Current Engine", 364, 182, 144, 20);
  BtResults = Controls::Button(surface, "GET  RESULTS", 169, 215, 98, 20);
  Controls::SetTextColour(BtResults, Controls::Maroon());
  QPalette palette = BtResults->palette();
  palette.setColor(QPalette::ButtonText, Controls::Maroon());
  BtResults->setPalette(palette);
  BtPrint = Controls::Button(surface, "PRINT FORM", 319, 215, 85, 20);
  BtExit = Controls::Button(surface, "EXIT", 481, 215, 66, 20);
  BtSave->setObjectName("BtSave");
  BtDelete->setObjectName("BtDelete");
  BtResults->setObjectName("BtResults");
  BtPrint->setObjectName("BtPrint");
  BtExit->setObjectName("BtExit");
  BtViewrock->setObjectName("BtViewrock");
}

QGroupBox* TMainForm::BuildRadioGroup(QWidget* surface, const QString& caption, const QStringList& items,
                                      int left, int top, int width, int height, QButtonGroup*& group) {
  auto* box = new QGroupBox(caption, surface);
  box->setGeometry(left, top, width, height);
  Controls::SetTextColour(box, Controls::Maroon());
  group = new QButtonGroup(box);
  const int rowHeight = (height - 14) / static_cast<int>(items.size());
  for (int i = 0; i < items.size(); ++i) {
    auto* item = new QRadioButton(items[i], box);
    item->setFont(Controls::Font());
    Controls::SetTextColour(item, Qt::black);
    item->setGeometry(6, 13 + i * rowHeight, width - 10, rowHeight);
    group->addButton(item, i);
  }
  return box;
}

void TMainForm::BuildDimensionBoxes(QWidget* surface) {
  for (size_t i = 0; i < Boxes().size(); ++i) {
    const DimensionBox& place = Boxes()[i];
    Controls::Label(surface, place.caption, place.rightColumn ? 358 : 137, place.top);
    QLineEdit* box = Controls::Edit(surface, place.rightColumn ? 488 : 280, place.top, 52, 13, true);
    box->setObjectName(place.name);
    box->setFrame(false);
    box->setTextMargins(0, 0, 0, 0);
    box->setContentsMargins(0, 0, 0, 0);
    box->installEventFilter(this);
    Controls::SetTextColour(box, Qt::black);
    boxes_[i] = box;
  }
  EdRocker = boxes_[16];
}

void TMainForm::BuildFileMenu() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File1");
  QAction* open = file->addAction("&Open Data Folder...");
  open->setObjectName("OpenFolder1");
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, Reaction([this](bool) { OpenFolder1Click(); }));
  file->addSeparator();
  // Not a command: it says which file the engines are read from and saved to.
  DataFile1 = file->addAction("Data file:");
  DataFile1->setObjectName("DataFile1");
  DataFile1->setEnabled(false);
}

void TMainForm::BuildMenu() {
  BuildFileMenu();
  QMenu* tools = menuBar()->addMenu("&Tools");
  tools->setObjectName("Tools1");
  QAction* study = tools->addAction("&Quadrant study");
  study->setObjectName("QuadrantStudy1");
  study->setShortcut(QKeySequence("Ctrl+T"));
  connect(study, &QAction::triggered, this, Reaction([this](bool) { QuadrantStudy1Click(); }));
  QAction* assistant = tools->addAction("&Design assistant...");
  assistant->setObjectName("DesignAssistant1");
  assistant->setShortcut(QKeySequence("Ctrl+D"));
  connect(assistant, &QAction::triggered, this, Reaction([this](bool) { DesignAssistant1Click(); }));
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("Help1");
  QAction* helpItem = help->addAction("&Vardenlyke Help ");
  helpItem->setObjectName("VardenlykeHelp1");
  connect(helpItem, &QAction::triggered, this, Reaction([this](bool) { VardenlykeHelp1Click(); }));
  QAction* about = help->addAction(windowIcon(), "&About Vardenlyke");
  about->setObjectName("AboutVardenlyke1");
  connect(about, &QAction::triggered, this, Reaction([this](bool) { AboutVardenlyke1Click(); }));
}

void TMainForm::SetTabOrder() {
  QList<QWidget*> order = {CB_Engines, EdName, ChBDims, EdNewEng};
  for (QAbstractButton* item : valveGroup->buttons()) order.append(item);
  order.append({BtResults, BtPrint, BtExit});
  for (QAbstractButton* item : rockerGroup->buttons()) order.append(item);
  for (QLineEdit* box : boxes_) order.append(box);
  order.append({BtSave, BtDelete, BtViewrock});
  for (int i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
  TabToChoice(valveGroup);
  TabToChoice(rockerGroup);
}

void TMainForm::TabToChoice(QButtonGroup* group) {
  // Only one item of a group is in the tab chain: the chosen one, or the
  // first while none is chosen; the arrow keys move within the group.
  QAbstractButton* entry = group->checkedButton() ? group->checkedButton() : group->buttons().first();
  for (QAbstractButton* item : group->buttons())
    item->setFocusPolicy(item == entry ? Qt::StrongFocus : Qt::ClickFocus);
}

void TMainForm::ConnectReactions() {
  connect(CB_Engines, &QComboBox::activated, this, Reaction([this](int) { CB_EnginesClick(); }));
  // The other windows show the engine under the name this box holds.
  connect(EdName, &QLineEdit::textChanged, this, [this](const QString& text) { model_.SetShownName(text); });
  connect(EdNewEng, &QLineEdit::textChanged, this, Reaction([this](const QString&) { EdNewEngChange(); }));
  connect(ChBDims, &QCheckBox::toggled, this, Reaction([this](bool) { ChBDimsClick(); }));
  connect(rockerGroup, &QButtonGroup::idToggled, this, Reaction([this](int, bool on) {
            TabToChoice(rockerGroup);
            if (on) RadioGroup2Click();
          }));
  connect(valveGroup, &QButtonGroup::idToggled, this, [this] { TabToChoice(valveGroup); });
  connect(BtSave, &QPushButton::clicked, this, Reaction([this](bool) { BtSaveClick(); }));
  connect(BtDelete, &QPushButton::clicked, this, Reaction([this](bool) { BtDeleteClick(); }));
  connect(BtResults, &QPushButton::clicked, this, Reaction([this](bool) { BtResultsClick(); }));
  connect(BtViewrock, &QPushButton::clicked, this, Reaction([this](bool) { BtViewrockClick(); }));
  connect(BtPrint, &QPushButton::clicked, this, Reaction([this](bool) { BtPrintClick(); }));
  connect(BtExit, &QPushButton::clicked, this, Reaction([this](bool) { BtExitClick(); }));
}

void TMainForm::OpenStore(std::unique_ptr<TShed> store) {
  shed_ = std::move(store);
  CB_Engines->clear();
  CB_Engines->setEditText("");
  engineCount_ = ListStoredNames();
  EdName->setText("");
  ClearEntries();
  engine_ = EngineRecord{};
  EnableEntries(false);
}

void TMainForm::ShowDataFile(const QString& path) {
  DataFile1->setText("Data file: " + QDir::toNativeSeparators(path));
}

void TMainForm::AddListedName(const std::string& nameBytes) {
  listedNames_.append(BoxText::FromNameBytes(nameBytes));
}

int TMainForm::ListStoredNames() {
  // The names are sorted once and added at once: added one by one into a
  // sorted list, ten thousand engines took seconds.
  listedNames_.clear();
  const int count = shed_->ListEngines();
  std::stable_sort(listedNames_.begin(), listedNames_.end(),
                   [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  const QString shown = CB_Engines->currentText();
  CB_Engines->addItems(listedNames_);
  CB_Engines->setEditText(shown);
  // The list opens wide enough to show every name whole.
  int wide = 0;
  for (const QString& name : listedNames_)
    wide = std::max(wide, CB_Engines->fontMetrics().horizontalAdvance(name) + 32);
  if (CB_Engines->view()->minimumWidth() < wide) CB_Engines->view()->setMinimumWidth(wide);
  listedNames_.clear();
  return count;
}

QLineEdit* TMainForm::BoxNamed(const QString& name) const {
  for (QLineEdit* box : boxes_)
    if (box->objectName() == name) return box;
  return nullptr;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CB_Engines->lineEdit() && event->type() == QEvent::KeyPress) {
    // Only picking from the list selects an engine; Enter in the text does not.
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
  }
  for (size_t i = 0; i < boxes_.size(); ++i) {
    if (watched != boxes_[i]) continue;
    try {
      if (event->type() == QEvent::KeyPress) EnterToNext(static_cast<QKeyEvent*>(event)->key());
      // Switching windows moves no focus between the boxes: entering and
      // leaving a box count only within this window.
      const bool focusMove = (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) &&
                             static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason;
      if (focusMove && event->type() == QEvent::FocusIn) BoxEnter(static_cast<int>(i));
      if (focusMove && event->type() == QEvent::FocusOut) BoxExit(static_cast<int>(i));
    } catch (const std::exception& error) {
      ZovApplication::ShowError(error.what());
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::EnterToNext(int key) {
  // The move is posted so that it happens after the key has been processed;
  // the key itself always goes on to the box.
  if (key == Qt::Key_Return || key == Qt::Key_Enter)
    QMetaObject::invokeMethod(
        this, [this] { focusNextChild(); }, Qt::QueuedConnection);
}

void TMainForm::BoxEnter(int index) {
  const DimensionBox& place = Boxes()[static_cast<size_t>(index)];
  if (Box(index) == EdRocker) return;  // the rocker ratio has no enter reaction
  // Black again on entering clears the red of a failed check, also for the
  // three boxes that have no marking in the diagram.
  Controls::SetTextColour(boxes_[static_cast<size_t>(index)], Qt::black);
  if (place.marking >= 0) emit dimensionMarked(place.marking, true);
}

void TMainForm::BoxExit(int index) {
  const DimensionBox& place = Boxes()[static_cast<size_t>(index)];
  if (place.marking >= 0) emit dimensionMarked(place.marking, false);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  // The main window's closing ends the program, whatever other window is up.
  if (event->isAccepted()) QCoreApplication::quit();
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Reaction([this] { FormActivate(); })();
}
