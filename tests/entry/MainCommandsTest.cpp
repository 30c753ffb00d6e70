// The engine commands: saving, renaming, deleting, asking for results and
// scaling, with their questions and what they leave in the data file and the
// list, also while another program holds the data file.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <limits>

#include "BoxText.h"
#include "Controls.h"
#include "EngineConversion.h"
#include "EngineSchema.h"
#include "ScaleEngineDialog.h"
#include "StoreTask.h"
#include "StoreTestSupport.h"
#include "TResultsForm.h"
#include "WindowTest.h"

using MainCommandsTest = WindowTest;
// Nobody opens the pipe's other end: a window that opened it blocking would
// wait for good, and CTest's short timeout for this test would stop it.
using PipeForDataFileTest = WindowTest;
using Names = std::vector<std::string>;

namespace {

QStringList Listed() {
  QStringList names;
  for (int i = 0; i < MainForm->CB_Engines->count(); ++i) names << MainForm->CB_Engines->itemText(i);
  return names;
}

}  // namespace

TEST_F(MainCommandsTest, SaveStopsBeforeAskingWhenTheEntriesAreIncomplete) {
  const std::string before = ReadBytes("ste_data.dat");
  Pick("Goods 0-6-0 slide valve");
  MainForm->EdName->clear();
  Box("EdConrod")->clear();
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Engine name required");
  EXPECT_NE(Controls::TextColour(Box("EdConrod")), QColor(255, 0, 0));

  MainForm->EdName->setText("Goods");
  Box("EdMcrank")->clear();
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back(), (ScriptedPrompter::Box{"Message", "Data missing at ???"}));
  for (const auto& box : prompter_.shown) EXPECT_EQ(box.text.find("Are you sure?"), std::string::npos);
  EXPECT_EQ(Box("EdConrod")->text(), "???");
  EXPECT_EQ(Box("EdMcrank")->text(), "???");

  // Cancel at the question stores nothing and leaves the boxes as typed.
  prompter_.choices = {Prompter::KeepChoice::discard};  // the boxes marked above
  Pick("Goods 0-6-0 slide valve");
  Box("EdConrod")->setText("99");
  prompter_.answers = {false};
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Save the engine \"Goods 0-6-0 slide valve\"? Are you sure?");
  EXPECT_EQ(Box("EdConrod")->text(), "99");
  EXPECT_EQ(Listed().size(), 4);
  EXPECT_EQ(ReadBytes("ste_data.dat"), before);
}

TEST_F(MainCommandsTest, SavingANewEngineResetsTheWindowAndListsIt) {
  QTest::keyClicks(MainForm->EdNewEng, "Mogul");
  MainForm->rockerGroup->button(1)->click();
  MainForm->valveGroup->button(1)->click();
  for (int i = 0; i < 17; ++i) MainForm->Box(i)->setText(QString::number(i + 1));
  MainForm->BtSave->click();
  EXPECT_TRUE(Shown("Mogul"));
  EXPECT_EQ(prompter_.shown.back().text, "Records stored");
  EXPECT_TRUE(MainForm->EdName->text().isEmpty());
  EXPECT_TRUE(MainForm->EdNewEng->text().isEmpty());
  EXPECT_FALSE(Box("EdConrod")->isEnabled());
  EXPECT_TRUE(Box("EdConrod")->text().isEmpty());
  EXPECT_TRUE(Listed().contains("Mogul"));
  EXPECT_EQ(MainForm->engineCount(), 5);
  const Names file = FileOrder("ste_data.dat");
  ASSERT_EQ(file.size(), 5u);
  EXPECT_EQ(file[0], "Mogul:1");

  Pick("Mogul");
  EXPECT_EQ(MainForm->engine().rockerType, 1);
  EXPECT_EQ(MainForm->engine().rockerRatio, 17);
  EXPECT_EQ(MainForm->engine().valveType, 1);
}

TEST_F(MainCommandsTest, AFileThatCannotBeReadIsToldAndARefusedSaveKeepsTheEntries) {
  std::filesystem::create_directory("engines");
  WindowSet::OpenStore("engines");
  EXPECT_EQ(prompter_.shown.back().text.rfind("Cannot read \"engines\": Is a directory\n", 0), 0u);
  EXPECT_EQ(MainForm->engineCount(), 0);
  QTest::keyClicks(MainForm->EdNewEng, "Mogul");
  MainForm->rockerGroup->button(1)->click();
  MainForm->valveGroup->button(1)->click();
  for (int i = 0; i < 17; ++i) MainForm->Box(i)->setText(QString::number(i + 1));
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text,
            "Cannot read \"engines\": Is a directory\nThe data file was not changed.");
  EXPECT_EQ(MainForm->EdName->text(), "Mogul");
  EXPECT_EQ(Box("EdPort")->text(), "16");
  EXPECT_TRUE(std::filesystem::is_directory("engines"));
}

TEST_F(MainCommandsTest, ARenamedEngineIsSavedBesideTheOldOne) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->EdName->setText("Goods rebuilt");
  Box("EdConrod")->setText("80");
  MainForm->BtSave->click();
  EXPECT_TRUE(Listed().contains("Goods rebuilt"));
  EXPECT_TRUE(Listed().contains("Goods 0-6-0 slide valve"));
  EXPECT_EQ(Box("EdConrod")->text(), "80");  // an edited stored engine stays shown
  EXPECT_EQ(FileOrder("ste_data.dat").size(), 5u);
}

TEST_F(MainCommandsTest, DeleteAsksWithCancelTheDefaultAndRemovesTheShownEngineButNeverOneBeingNamed) {
  Pick("Tank 0-6-2T piston valves");
  MainForm->BtDelete->click();  // Enter: Cancel
  EXPECT_EQ(prompter_.shown.back().text, "Are you sure?\n\"Tank 0-6-2T piston valves\"");
  EXPECT_EQ(Listed().size(), 4);
  prompter_.answers = {true};
  MainForm->BtDelete->click();
  EXPECT_EQ(Listed().size(), 3);
  EXPECT_FALSE(Listed().contains("Tank 0-6-2T piston valves"));
  EXPECT_TRUE(MainForm->EdName->text().isEmpty());
  // Undo brings the boxes back, to be saved anew.
  MainForm->Undo1->trigger();
  EXPECT_EQ(MainForm->EdName->text(), "Tank 0-6-2T piston valves");
  EXPECT_TRUE(MainForm->BoxesUnsaved());
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Records stored");
  EXPECT_TRUE(Listed().contains("Tank 0-6-2T piston valves"));

  const Names before = FileOrder("ste_data.dat");
  Pick("Goods 0-6-0 slide valve");
  QTest::keyClicks(MainForm->EdNewEng, "New one");
  MainForm->BtDelete->click();  // the kept boxes are asked about; Cancel the default
  EXPECT_EQ(prompter_.shown.back().text.rfind("The engine \"New one\" in the boxes is not saved.", 0), 0u);
  EXPECT_EQ(MainForm->EdName->text(), "New one");
  prompter_.choices = {Prompter::KeepChoice::discard};
  MainForm->BtDelete->click();
  const Names after = FileOrder("ste_data.dat");
  EXPECT_EQ(after, Names(before.rbegin(), before.rend()));  // rewritten, nothing removed
}

TEST_F(MainCommandsTest, GetResultsUsesTheLastTransferredEngineWhenNoNameIsShown) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->BtResults->click();
  EXPECT_TRUE(ResultsForm->isVisible());
  EXPECT_EQ(TheSession().engine().conrod, 78);
  EXPECT_FALSE(ResultsForm->BtGo->isEnabled());
  EXPECT_FALSE(ResultsForm->BtAnima->isEnabled());
  EXPECT_FALSE(TheSession().centring());
  EXPECT_TRUE(ResultsForm->LbMid_deg->text().startsWith(" down ") ||
              ResultsForm->LbMid_deg->text().startsWith(" up "));

  Box("EdConrod")->setText("90");
  MainForm->EdName->clear();
  MainForm->BtResults->click();
  EXPECT_EQ(TheSession().engine().conrod, 78);

  // A late activation of the data-entry window, before the results window
  // was active, leaves it open; coming back to it afterwards closes it.
  if (!ResultsForm->isActiveWindow()) {
    MainForm->FormActivate();
    EXPECT_TRUE(ResultsForm->isVisible());
  }
  ResultsForm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(ResultsForm));
  MainForm->FormActivate();
  EXPECT_FALSE(ResultsForm->isVisible());
}

TEST_F(MainCommandsTest, GetResultsSaysWhenNoEngineIsSelectedAndWhichBoxIsNotANumber) {
  MainForm->BtResults->click();
  EXPECT_FALSE(ResultsForm->isVisible());
  EXPECT_TRUE(ResultsForm->LbMid_deg->text().isEmpty());
  EXPECT_EQ(prompter_.shown.back(),
            (ScriptedPrompter::Box{"Message",
                                   "No engine is selected: pick one under \"SELECT ENGINE\" or "
                                   "name a new one under \"NEW  ENGINE\"."}));

  Pick("Goods 0-6-0 slide valve");
  EngineRecord broken{};
  ToRecord(MainForm->engine(), broken);
  broken.stlap = std::numeric_limits<double>::infinity();
  broken.rockerType = 1;
  broken.rockerRatio = std::numeric_limits<double>::quiet_NaN();
  StartWith({broken});
  Pick("Goods 0-6-0 slide valve");
  MainForm->BtResults->click();
  EXPECT_EQ(prompter_.shown.back().text, "Steam lap: 'INF' is not a valid floating point value");
  EXPECT_EQ(Controls::TextColour(Box("EdStlap")), QColor(255, 0, 0));
  Box("EdStlap")->setText("1");
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Rocker arm ratio: 'NAN' is not a valid floating point value");
  // Typed text keeps the plain message.
  Box("EdStlap")->setText("INF");
  MainForm->BtResults->click();
  EXPECT_EQ(prompter_.shown.back().text, "'INF' is not a valid floating point value");
  EXPECT_FALSE(ResultsForm->isVisible());
}

TEST_F(MainCommandsTest, SelectingOrNamingUnticksShowDimensions) {
  MainForm->ChBDims->setChecked(true);
  Pick("Goods 0-6-0 slide valve");
  EXPECT_FALSE(MainForm->ChBDims->isChecked());
  MainForm->ChBDims->setChecked(true);
  QTest::keyClicks(MainForm->EdNewEng, "X");
  EXPECT_FALSE(MainForm->ChBDims->isChecked());
}

TEST_F(MainCommandsTest, ClosingTheMainWindowEndsTheProgramWhateverElseIsUp) {
  for (const bool byExit : {false, true}) {
    MainForm->show();
    Pick("Goods 0-6-0 slide valve");
    MainForm->BtResults->click();
    const std::string before = ReadBytes("ste_data.dat");
    QTimer::singleShot(0, MainForm,
                       [byExit] { byExit ? MainForm->BtExit->click() : (void)MainForm->close(); });
    QTimer guard;  // a loop that never ends fails here
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(!WindowSet::Model().hasStore(), byExit);
    EXPECT_EQ(ReadBytes("ste_data.dat"), before);
  }
}

TEST_F(MainCommandsTest, AFailedSaveKeepsTheBoxesTheNameAndTheSelection) {
  const std::string before = ReadBytes("ste_data.dat");
  auto fullDisk = std::make_unique<FileSizeLimit>(100);  // the new file cannot be written
  const auto window = [] {
    QStringList state{MainForm->EdNewEng->text(), MainForm->EdName->text(),
                      MainForm->CB_Engines->currentText()};
    for (int i = 0; i < 17; ++i)
      state << MainForm->Box(i)->text() << QString::number(MainForm->Box(i)->isEnabled());
    state << QString::number(MainForm->valveGroup->checkedId())
          << QString::number(MainForm->rockerGroup->checkedId());
    return state;
  };
  QTest::keyClicks(MainForm->EdNewEng, "Mogul");
  MainForm->rockerGroup->button(2)->click();
  MainForm->valveGroup->button(1)->click();
  for (int i = 0; i < 17; ++i) MainForm->Box(i)->setText(QString::number(i + 1.5));
  for (const bool stored : {false, true}) {
    if (stored) {
      prompter_.choices = {Prompter::KeepChoice::discard};  // the unsaved Mogul
      Pick("Goods 0-6-0 slide valve");
      Box("EdConrod")->setText("80");
    }
    const QStringList typed = window();
    MainForm->BtSave->click();
    EXPECT_NE(prompter_.shown.back().text.find("The data file was not changed."), std::string::npos);
    EXPECT_EQ(window(), typed);
    EXPECT_EQ(Listed().size(), 4);
    EXPECT_EQ(ReadBytes("ste_data.dat"), before);
  }
  // Once the file can be written the same engine saves as usual.
  fullDisk.reset();
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Records stored");
  Pick("Goods 0-6-0 slide valve");
  EXPECT_EQ(Box("EdConrod")->text(), "80");
}

TEST_F(MainCommandsTest, EveryHighByteOfAStoredNameCanBeSelectedAndDeleted) {
  Pick("Goods 0-6-0 slide valve");
  std::vector<EngineRecord> stored;
  for (int first = 0x80; first <= 0xFF; first += 26) {
    std::string name = "N";
    for (int b = first; b < first + 26 && b <= 0xFF; ++b) name += static_cast<char>(b);
    EngineRecord record{};
    ToRecord(MainForm->engine(), record);
    SetRecordName(record, name.data(), name.size());
    record.conrod = first;
    stored.push_back(record);
  }
  StartWith(stored);
  ASSERT_EQ(Listed().size(), static_cast<int>(stored.size()));
  // A name holding control bytes can be edited around them, but no key or
  // paste adds one.
  Pick(BoxText::FromNameBytes(RecordName(stored[0])));
  MainForm->EdName->end(false);
  QTest::keyClicks(MainForm->EdName, "x");
  MainForm->EdName->insert(QString(QChar(0x81)));
  EXPECT_EQ(BoxText::NameBytes(MainForm->EdName->text()), RecordName(stored[0]) + "x");
  prompter_.choices = {Prompter::KeepChoice::discard};  // the edited name
  for (const EngineRecord& record : stored) {
    Pick(BoxText::FromNameBytes(RecordName(record)));
    EXPECT_EQ(BoxText::NameBytes(MainForm->EdName->text()), RecordName(record));
    EXPECT_EQ(MainForm->engine().conrod, record.conrod);
    prompter_.answers = {true};  // "Are you sure?"
    MainForm->BtDelete->click();
  }
  EXPECT_FALSE(Shown("Engine not found"));
  EXPECT_EQ(ReadBytes("ste_data.dat"), "");
}

TEST_F(MainCommandsTest, ScaleEngineMultipliesTheLengthsInTheBoxesUnderANewNameUnsaved) {
  const std::string before = ReadBytes("ste_data.dat");
  Pick("Goods 0-6-0 slide valve");
  const Engine goods = MainForm->engine();
  // Runs the dialog as the user does: a choice, then OK or Cancel.
  const auto scale = [](const std::function<void(ScaleEngineDialog&)>& choose,
                        QDialogButtonBox::StandardButton press) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<ScaleEngineDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      choose(*dialog);
      dialog->Buttons->button(press)->click();
    });
    MainForm->findChild<QAction*>("ScaleEngine1")->trigger();
  };
  scale([](ScaleEngineDialog& dialog) { dialog.EdScale->setText("8"); }, QDialogButtonBox::Ok);
  EXPECT_EQ(MainForm->EdName->text(), "Goods 0-6-0 slide valve 1:8");
  EXPECT_EQ(Box("EdConrod")->text(), "9.75");
  EXPECT_TRUE(MainForm->CB_Engines->currentText().isEmpty());
  ASSERT_TRUE(MainForm->TransferEntries().ok());
  for (const DimensionSpec& d : EngineDimensions())
    EXPECT_EQ(MainForm->engine().*(d.field), goods.*(d.field) * (d.quantity == Quantity::length ? 0.125 : 1))
        << d.key;
  EXPECT_EQ(MainForm->engine().valveType, goods.valveType);

  // A model scale that is no number allows no OK; Cancel changes nothing.
  scale(
      [](ScaleEngineDialog& dialog) {
        // Nor does one that would take a length out of what the boxes show.
        for (const char* n : {"0", "1e-308", "1e308", "1e7", "1e-7"}) {
          dialog.EdScale->setText(n);
          EXPECT_FALSE(dialog.Buttons->button(QDialogButtonBox::Ok)->isEnabled()) << n;
        }
      },
      QDialogButtonBox::Cancel);
  EXPECT_EQ(Box("EdConrod")->text(), "9.75");
  scale(
      [](ScaleEngineDialog& dialog) {
        dialog.presets->button(ScaleEngineDialog::inchesToMillimetres)->click();
        EXPECT_EQ(*dialog.factor(), 25.4);
      },
      QDialogButtonBox::Ok);
  // The name is shortened before the scale, which stays whole.
  EXPECT_EQ(MainForm->EdName->text(), "Goods 0-6-0 slide valve 1\u2026 mm");
  EXPECT_EQ(Box("EdConrod")->text(), "247.65");  // the decimal product
  EXPECT_EQ(Box("EdAngadv")->text(), "24");
  EXPECT_EQ(ReadBytes("ste_data.dat"), before);
}

TEST_F(MainCommandsTest, ASaveOrDeleteBehindAnotherProgramsLockSaysSoAndCancelLeavesEverything) {
  const std::string before = ReadBytes("ste_data.dat");
  int holder = open("ste_data.dat", O_RDWR);  // another open file holds the lock
  ASSERT_EQ(flock(holder, LOCK_EX), 0);
  Pick("Goods 0-6-0 slide valve");
  Box("EdConrod")->setText("99");
  // Runs while the window waits, as the user would: finds the note, cancels it.
  // The note comes while the command is under way: no outcome said yet.
  std::vector<std::size_t> saidBeforeNote;
  std::size_t saidBeforeClick = 0;
  int ticks = 0;
  QTimer user;
  user.setInterval(10);
  QObject::connect(&user, &QTimer::timeout, [&] {
    if (++ticks > 1000 && holder >= 0) {  // no note came: the save must not hang the test
      close(holder);
      holder = -1;
    }
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || box->objectName() != StoreTask::kWaitingBoxName) return;
    EXPECT_EQ(box->text(), "Waiting for another program to finish with the data file…");
    saidBeforeNote.push_back(prompter_.shown.size() - saidBeforeClick);
    box->button(QMessageBox::Cancel)->click();
  });
  user.start();
  saidBeforeClick = prompter_.shown.size();
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Nothing was saved: the data file was left as it was.");
  saidBeforeClick = prompter_.shown.size();
  prompter_.answers = {true};  // "Are you sure?"
  MainForm->BtDelete->click();
  EXPECT_EQ(prompter_.shown.back().text, "Nothing was deleted: the data file was left as it was.");
  // The save's questions ("Are you sure?", "Saving") and the delete's one came first.
  EXPECT_EQ(saidBeforeNote, (std::vector<std::size_t>{2u, 1u}));
  EXPECT_EQ(MainForm->EdName->text(), "Goods 0-6-0 slide valve");
  EXPECT_EQ(Box("EdConrod")->text(), "99");
  EXPECT_EQ(MainForm->CB_Engines->count(), 4);
  EXPECT_EQ(ReadBytes("ste_data.dat"), before);
  // Once the other program lets go, the same save goes through.
  if (holder >= 0) close(holder);
  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Records stored");
  EXPECT_EQ(saidBeforeNote.size(), 2u);
}

TEST_F(PipeForDataFileTest, CopyEngineToAndOpenDataFolderAnswerAtOnce) {
  std::filesystem::create_directory("piped");
  ASSERT_EQ(::mkfifo("piped/ste_data.dat", 0600), 0);
  const std::string pipe = (folder_ / "piped/ste_data.dat").string();
  Pick("Goods 0-6-0 slide valve");
  MainForm->chooseCopyFolder = [](QWidget*) { return QString("piped"); };
  MainForm->CopyEngine1->trigger();
  const std::string why = "Cannot read \"" + pipe + "\": not a regular file but a named pipe";
  EXPECT_EQ(prompter_.shown.back().text.rfind(why, 0), 0u) << prompter_.shown.back().text;
  EXPECT_NE(prompter_.shown.back().text.find("Nothing was copied."), std::string::npos);

  WindowSet::OpenFolder("piped");
  EXPECT_EQ(prompter_.shown.back().text.rfind(
                "Cannot read \"ste_data.dat\": not a regular file but a named pipe", 0),
            0u)
      << prompter_.shown.back().text;
  EXPECT_EQ(MainForm->engineCount(), 0);
  struct stat info;
  ASSERT_EQ(::stat("ste_data.dat", &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}
