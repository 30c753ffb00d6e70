// The data-entry window's controls at their laid-out places, the listing of
// its store (names sorted once, boxes locked) and the box key and focus handling.
#include "TMainForm.h"

#include <QAbstractItemView>
#include <QActionGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStyle>
#include <algorithm>
#include <utility>

#include "BoxText.h"
#include "Controls.h"
#include "FittedName.h"
#include "NameValidator.h"
#include "QtPrompter.h"
#include "Reaction.h"
#include "WindowPlacement.h"

namespace {

// The popup's item margins on both sides together, with room to spare.
constexpr int kItemMargins = 16;

}  // namespace

const std::array<TMainForm::BoxPlace, kDimensions>& TMainForm::Places() {
  static const std::array<BoxPlace, kDimensions> places = {{
      {"conrod", "EdConrod", false, 46, 1, 0},
      {"mcrank", "EdMcrank", false, 59, 2, 1},
      {"eccrad", "EdEccrad", false, 72, 3, 2},
      {"angadv", "EdAngadv", false, 85, 5, 12},
      {"eccrod", "EdEccrod", false, 98, 4, 3},
      {"pintoslot", "EdPintoslot", false, 111, 6, 9},
      {"ctoweighh", "EdCtoweighh", false, 124, 7, 7},
      {"ctoweighv", "EdCtoweighv", false, 137, 8, 8},
      {"larad", "EdLarad", false, 150, 9, 6},
      {"liftlink", "EdLiftlink", false, 163, 10, 5},
      {"linkpins", "EdLinkpins", true, 46, 11, 4},
      {"circdisp", "EdCircdisp", true, 59, 12, 10},
      {"raddisp", "EdRaddisp", true, 72, 13, 11},
      {"stlap", "EdStlap", true, 85, 14, -1},
      {"exlap", "EdExlap", true, 98, 15, -1},
      {"port", "EdPort", true, 111, 16, -1},
      {"rockerRatio", "EdRocker", true, 124, 17, -1},
  }};
  return places;
}

const DimensionSpec& TMainForm::Dimension(int index) const {
  return *FindDimension(Places()[static_cast<size_t>(index)].key);
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
  FittedName::Follow(CB_Engines->lineEdit());
  Controls::Label(surface, "CURRENT ENGINE", 130, 7);
  // As wide as the row allows, so that most names keep the full-size face.
  EdName = Controls::Edit(surface, 247, 0, 151, 21, true);
  EdName->setObjectName("EdName");
  EdName->setFont(Controls::Font(true));
  EdName->setValidator(new NameValidator(EdName));
  FittedName::Follow(EdName);
  ChBDims = new QCheckBox("Show D&imensions", surface);
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
  QStringList valveTypes, rockerTypes;
  for (const TypeChoice& choice : ValveTypeChoices()) valveTypes << choice.caption;
  for (const TypeChoice& choice : RockerTypeChoices()) rockerTypes << choice.caption;
  RadioGroup1 = BuildRadioGroup(surface, "Valve Type", valveTypes, 13, 85, 98, 46, valveGroup);
  RadioGroup1->setObjectName("RadioGroup1");
  Controls::Label(surface, "View Rocker type", 20, 143);
  BtViewrock = Controls::Button(surface, " &Rocker types", 13, 137, 98, 20);
  BtViewrock->setToolTip("Defines Rocker Types");
  RadioGroup2 = BuildRadioGroup(surface, "Rocker", rockerTypes, 13, 163, 98, 72, rockerGroup);
  RadioGroup2->setObjectName("RadioGroup2");
}

// Each caption underlines one of its own letters for Alt (none of File, Tools, Help).
void TMainForm::BuildButtons(QWidget* surface) {
  // Wide enough to hold the unit after the right-hand column of boxes.
  Controls::Bevel(surface, 130, 39, 438, 170);
  BtSave = Controls::Button(surface, "&Save  Current  Engine", 150, 182, 143, 20);
  BtSave->setToolTip("If you modify the name of the CURRENT  ENGINE,  a new record will be saved");
  BtDelete = Controls::Button(surface, "&Delete Current Engine", 364, 182, 144, 20);
  BtResults = Controls::Button(surface, "&GET  RESULTS", 169, 215, 98, 20);
  Controls::SetTextColour(BtResults, Controls::Maroon());
  QPalette palette = BtResults->palette();
  palette.setColor(QPalette::ButtonText, Controls::Maroon());
  BtResults->setPalette(palette);
  BtPrint = Controls::Button(surface, "&PRINT FORM", 319, 215, 85, 20);
  BtExit = Controls::Button(surface, "E&XIT", 481, 215, 66, 20);
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
  for (size_t i = 0; i < Places().size(); ++i) {
    const BoxPlace& place = Places()[i];
    captions_[i] = Controls::Label(surface, Dimension(static_cast<int>(i)).caption,
                                   place.rightColumn ? 358 : 137, place.top);
    QLineEdit* box = Controls::Edit(surface, place.rightColumn ? 488 : 280, place.top, 52, 13, true);
    box->setObjectName(place.name);
    box->setFrame(false);
    box->setTextMargins(0, 0, 0, 0);
    box->setContentsMargins(0, 0, 0, 0);
    box->installEventFilter(this);
    Controls::SetTextColour(box, Qt::black);
    boxes_[i] = box;
    // The unit stands after the box, so that a caption keeps its face and place.
    unitLabels_[i] = Controls::Label(surface, "", place.rightColumn ? 542 : 334, place.top);
    unitLabels_[i]->setObjectName(QString(place.name).mid(2) + "Unit");
  }
  EdRocker = BoxNamed("EdRocker");
}

void TMainForm::BuildFileMenu() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setObjectName("File1");
  QAction* open = file->addAction("&Open Data Folder...");
  open->setObjectName("OpenFolder1");
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, Reaction([this](bool) { OpenFolder1Click(); }));
  CopyEngine1 = file->addAction("&Copy engine to…");
  CopyEngine1->setObjectName("CopyEngine1");
  connect(CopyEngine1, &QAction::triggered, this, Reaction([this](bool) { CopyEngine1Click(); }));
  BuildLengthUnitMenu(file);
  file->addSeparator();
  // Not a command: it says which file the engines are read from and saved to.
  DataFile1 = file->addAction("Data file:");
  DataFile1->setObjectName("DataFile1");
  DataFile1->setEnabled(false);
}

// The unit is a name shown beside the lengths: choosing one converts nothing.
void TMainForm::BuildLengthUnitMenu(QMenu* file) {
  QMenu* units = file->addMenu("Length &unit");
  units->setObjectName("LengthUnit1");
  auto* group = new QActionGroup(units);
  group->setExclusive(true);
  const std::pair<LengthUnit, const char*> choices[] = {
      {LengthUnit::none, "&None"}, {LengthUnit::in, "&Inches (in)"}, {LengthUnit::mm, "&Millimetres (mm)"}};
  for (const auto& [unit, text] : choices) {
    QAction* action = units->addAction(text);
    action->setObjectName(QString("LengthUnit_%1").arg(QString::fromUtf8(LengthUnitKey(unit))));
    action->setCheckable(true);
    group->addAction(action);
    connect(action, &QAction::triggered, this, Reaction([this, unit](bool) { LengthUnitClick(unit); }));
    unitActions_[static_cast<size_t>(unit)] = action;
  }
}

void TMainForm::BuildEditMenu() {
  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->setObjectName("Edit1");
  Undo1 = edit->addAction("&Undo");
  Undo1->setObjectName("Undo1");
  Undo1->setShortcut(QKeySequence::Undo);
  Undo1->setEnabled(false);
  connect(Undo1, &QAction::triggered, this, Reaction([this](bool) { Undo1Click(); }));
}

void TMainForm::BuildToolsMenu() {
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
  QAction* review = tools->addAction("Review gear…");
  review->setObjectName("ReviewGear1");
  connect(review, &QAction::triggered, this, Reaction([this](bool) { ReviewGear1Click(); }));
  QAction* setting = tools->addAction("Valve setting…");
  setting->setObjectName("ValveSetting1");
  connect(setting, &QAction::triggered, this, Reaction([this](bool) { ValveSetting1Click(); }));
  QAction* scale = tools->addAction("&Scale engine...");
  scale->setObjectName("ScaleEngine1");
  connect(scale, &QAction::triggered, this, Reaction([this](bool) { ScaleEngine1Click(); }));
}

void TMainForm::BuildMenu() {
  BuildFileMenu();
  BuildEditMenu();
  BuildToolsMenu();
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("Help1");
  QAction* helpItem = help->addAction("&Vardenlyke Help ");
  helpItem->setObjectName("VardenlykeHelp1");
  connect(helpItem, &QAction::triggered, this, Reaction([this](bool) { VardenlykeHelp1Click(); }));
  // F1 opens this window's page; elsewhere the key is the application's (HelpKey).
  QAction* windowHelp = help->addAction("Help on this &window");
  windowHelp->setObjectName("WindowHelp1");
  windowHelp->setShortcut(QKeySequence(Qt::Key_F1));
  connect(windowHelp, &QAction::triggered, this,
          Reaction([this](bool) { emit helpRequested(property("helpTopic").toString()); }));
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
  connect(&model_, &SessionModel::lengthUnitRefused, this,
          Reaction([](const QString& problem) { AppPrompter().Inform("Message", problem.toStdString()); }));
  connect(&model_, &SessionModel::lengthUnitChanged, this, Reaction([this] {
    if (!boxesOwnUnit_) boxesUnit_ = model_.fileLengthUnit();
    ShowLengthUnit();
  }));
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

void TMainForm::StoreOpened() {
  CB_Engines->clear();
  CB_Engines->setEditText("");
  engineCount_ = ListStoredNames();
  ClearNewName();
  EdName->setText("");
  ClearEntries();
  engine_ = Engine{};
  EnableEntries(false);
  storedOrigin_.clear();
  undo_.reset();
  Undo1->setEnabled(false);
  SetBoxesUnit(model_.fileLengthUnit());
  BoxesStored();
}

void TMainForm::ShowDataFile(const QString& path) {
  DataFile1->setText("Data file: " + QDir::toNativeSeparators(path));
}

int TMainForm::ListStoredNames() {
  // The names are sorted once and added at once: added one by one into a
  // sorted list, ten thousand engines took seconds.
  QStringList names;
  for (const std::string& bytes : model_.ListEngineNames()) names.append(BoxText::FromNameBytes(bytes));
  std::stable_sort(names.begin(), names.end(),
                   [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  const QString shown = CB_Engines->currentText();
  CB_Engines->addItems(names);
  CB_Engines->setEditText(shown);
  // The list opens wide enough to show every name whole beside its scroll bar.
  QAbstractItemView* view = CB_Engines->view();
  const int besides = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view) +
                      2 * view->frameWidth() + kItemMargins;
  int wide = 0;
  for (const QString& name : names)
    wide = std::max(wide, view->fontMetrics().horizontalAdvance(name) + besides);
  if (view->minimumWidth() < wide) view->setMinimumWidth(wide);
  return static_cast<int>(names.size());
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
  const BoxPlace& place = Places()[static_cast<size_t>(index)];
  if (Box(index) == EdRocker) return;  // the rocker ratio has no enter reaction
  // Black again on entering clears the red of a failed check, also for the
  // three boxes that have no marking in the diagram.
  Controls::SetTextColour(boxes_[static_cast<size_t>(index)], Qt::black);
  if (place.marking >= 0) emit dimensionMarked(place.marking, true);
}

void TMainForm::BoxExit(int index) {
  // A figure longer than its box shows from its first digit once left, as
  // when it was filled in: its tail alone would read as another number. Its
  // whole text is then the box's tooltip.
  QLineEdit* box = Box(index);
  box->setCursorPosition(0);
  const bool cut = box->fontMetrics().horizontalAdvance(box->text()) > box->contentsRect().width();
  box->setToolTip(cut ? box->text() : QString());
  const BoxPlace& place = Places()[static_cast<size_t>(index)];
  if (place.marking >= 0) emit dimensionMarked(place.marking, false);
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // Closing the window ends the program: unsaved boxes are asked about first.
  const bool asked = std::exchange(exiting_, false);
  bool mayClose = asked;
  if (!asked) Reaction([this, &mayClose] { mayClose = MayDropBoxes(); })();
  if (!mayClose) return event->ignore();
  QMainWindow::closeEvent(event);
  // The main window's closing ends the program, whatever other window is up.
  if (event->isAccepted()) QCoreApplication::quit();
}

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) Reaction([this] { FormActivate(); })();
}
