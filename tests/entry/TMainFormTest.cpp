// The data-entry window: showing an engine, reading the boxes back with their
// markings, every dimension in its own captioned box, the enabled states, the
// Enter key, whole names and the keyboard's Alt letters.
#include <QAbstractItemView>
#include <QAction>
#include <QKeyEvent>
#include <QMenuBar>
#include <QTest>

#include "BoxText.h"
#include "Controls.h"
#include "EngineSchema.h"
#include "FittedName.h"
#include "NumberFormat.h"
#include "WindowTest.h"

using TMainFormTest = WindowTest;

namespace {

QColor Red() {
  return QColor(255, 0, 0);
}

}  // namespace

TEST_F(TMainFormTest, StartsLockedAndListsTheStoredNamesSorted) {
  EXPECT_EQ(MainForm->windowTitle(), "Vardenlyke valve gear  DATA  ENTRY");
  EXPECT_EQ(MainForm->engineCount(), 4);
  QStringList names;
  for (int i = 0; i < MainForm->CB_Engines->count(); ++i) names << MainForm->CB_Engines->itemText(i);
  EXPECT_EQ(names, (QStringList{"Express 4-4-0 rocker B", "Goods 0-6-0 slide valve",
                                "Low shaft, short lifting link", "Tank 0-6-2T piston valves"}));
  for (int i = 0; i < 17; ++i) {
    EXPECT_FALSE(MainForm->Box(i)->isEnabled());
    EXPECT_TRUE(MainForm->Box(i)->text().isEmpty());
  }
  EXPECT_EQ(MainForm->valveGroup->checkedId(), -1);
  EXPECT_EQ(MainForm->rockerGroup->checkedId(), -1);
}

TEST_F(TMainFormTest, PickingAnEngineShowsItAndUnlocksByTheRockerChoice) {
  Pick("Express 4-4-0 rocker B");
  EXPECT_EQ(MainForm->EdName->text(), "Express 4-4-0 rocker B");
  EXPECT_EQ(Box("EdCtoweighv")->text(), "20.6");
  EXPECT_EQ(Box("EdExlap")->text(), "0.0625");
  EXPECT_EQ(MainForm->EdRocker->text(), "1");
  EXPECT_EQ(MainForm->rockerGroup->checkedId(), 2);
  EXPECT_TRUE(MainForm->EdRocker->isEnabled());

  Pick("Goods 0-6-0 slide valve");
  EXPECT_EQ(MainForm->rockerGroup->checkedId(), 0);
  EXPECT_EQ(MainForm->valveGroup->checkedId(), 0);
  EXPECT_TRUE(MainForm->EdRocker->text().isEmpty());
  EXPECT_FALSE(MainForm->EdRocker->isEnabled());
  EXPECT_TRUE(Box("EdConrod")->isEnabled());

  // A new name keeps the boxes; over empty ones it locks them until a rocker
  // option is chosen.
  QTest::keyClicks(MainForm->EdNewEng, "Mogul");
  EXPECT_EQ(MainForm->EdName->text(), "Mogul");
  EXPECT_EQ(Box("EdConrod")->text(), "78");
  MainForm->StoreOpened();
  QTest::keyClicks(MainForm->EdNewEng, "Mogul");
  EXPECT_EQ(MainForm->EdName->text(), "Mogul");
  EXPECT_TRUE(Box("EdConrod")->text().isEmpty());
  EXPECT_FALSE(Box("EdConrod")->isEnabled());
  MainForm->rockerGroup->button(1)->click();
  EXPECT_TRUE(Box("EdConrod")->isEnabled());
  EXPECT_TRUE(MainForm->EdRocker->isEnabled());
}

TEST_F(TMainFormTest, TransferMarksEveryMissingBoxInOnePassAndStoresTheRest) {
  Pick("Goods 0-6-0 slide valve");
  MainForm->EdName->clear();
  for (int i = 0; i < 17; ++i) MainForm->Box(i)->clear();
  EXPECT_EQ(MainForm->TransferEntries().kind, TMainForm::Transfer::Kind::noName);
  EXPECT_NE(Controls::TextColour(Box("EdConrod")), Red());  // an empty name marks nothing
  EXPECT_TRUE(Box("EdConrod")->text().isEmpty());

  Pick("Goods 0-6-0 slide valve");
  MainForm->EdName->setText("Goods mk2");
  Box("EdMcrank")->clear();
  Box("EdLarad")->setText("???");
  Box("EdPort")->clear();
  Box("EdConrod")->setText("80");
  Box("EdExlap")->setText("0.03");
  EXPECT_EQ(MainForm->TransferEntries().kind, TMainForm::Transfer::Kind::dataMissing);
  for (const char* name : {"EdMcrank", "EdLarad", "EdPort"}) {
    EXPECT_EQ(Box(name)->text(), "???") << name;
    EXPECT_EQ(Controls::TextColour(Box(name)), Red()) << name;
  }
  EXPECT_EQ(std::string(MainForm->engine().name), "Goods mk2");
  EXPECT_EQ(MainForm->engine().conrod, 80);
  EXPECT_EQ(MainForm->engine().exlap, 0.03);  // read after the first missing box
}

TEST_F(TMainFormTest, ATextThatIsNotANumberStopsTheTransferAtThatBox) {
  Pick("Goods 0-6-0 slide valve");
  Box("EdConrod")->setText("79");
  Box("EdEccrad")->setText(" ???");
  Box("EdEccrod")->setText("55");
  try {
    MainForm->TransferEntries();
    FAIL() << "no conversion error";
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "' ?\?\?' is not a valid floating point value");
  }
  EXPECT_EQ(MainForm->engine().conrod, 79);
  EXPECT_EQ(MainForm->engine().eccrod, 54);  // after the bad box: unchanged
}

TEST_F(TMainFormTest, OptionGroupsAreStoredAsTheRecordExpects) {
  Pick("Tank 0-6-2T piston valves");
  EXPECT_EQ(MainForm->valveGroup->checkedId(), 1);
  MainForm->rockerGroup->button(0)->click();  // "No Rocker": the ratio stays
  MainForm->EdRocker->setText("7");
  ASSERT_TRUE(MainForm->TransferEntries().ok());
  EXPECT_EQ(MainForm->engine().rockerType, 0);
  EXPECT_EQ(MainForm->engine().rockerRatio, 2.5);
  EXPECT_EQ(MainForm->engine().valveType, 1);
  EXPECT_FALSE(MainForm->EdRocker->isEnabled());

  // With neither group chosen (as after a delete) the record gets outside
  // admission and a type B rocker, and the ratio box is converted.
  MainForm->ClearEntries();
  for (int i = 0; i < 16; ++i) MainForm->Box(i)->setText("1");
  MainForm->EdRocker->setText("1.5");
  ASSERT_TRUE(MainForm->TransferEntries().ok());
  EXPECT_EQ(MainForm->engine().valveType, -1);
  EXPECT_EQ(MainForm->engine().rockerType, -1);
  EXPECT_EQ(MainForm->engine().rockerRatio, 1.5);
}

TEST_F(TMainFormTest, BoxesShowTextsThatReadBackToTheStoredValuesAndSaveThemUnchanged) {
  EngineRecord odd{};
  SetRecordName(odd, "Odd", 3);
  odd.conrod = 123.45;
  odd.mcrank = 12345.6;
  odd.eccrad = 0.0000125;
  odd.stlap = 1.0625;
  odd.exlap = 0.1 + 0.2;
  odd.port = 57.12;
  odd.eccrod = 0.40625;
  odd.rockerType = 1;
  odd.rockerRatio = 1.0 / 3;
  odd.valveType = 0;
  odd.reserved = 42.5;
  StartWith({odd});
  Pick("Odd");
  EXPECT_EQ(Box("EdConrod")->text(), "123.45");
  EXPECT_EQ(Box("EdMcrank")->text(), "12345.6");
  EXPECT_EQ(Box("EdEccrad")->text(), "1.25E-5");
  EXPECT_EQ(Box("EdStlap")->text(), "1.0625");
  EXPECT_EQ(Box("EdExlap")->text(), "0.30000000000000004");
  EXPECT_EQ(Box("EdExlap")->cursorPosition(), 0);  // shown from its first digit
  EXPECT_EQ(Box("EdPort")->text(), "57.12");
  EXPECT_EQ(Box("EdEccrod")->text(), "0.40625");
  EXPECT_EQ(MainForm->valveGroup->checkedId(), 0);

  MainForm->BtSave->click();
  EXPECT_EQ(prompter_.shown.back().text, "Records stored");
  const std::string saved = ReadBytes("ste_data.dat");
  ASSERT_EQ(saved.size(), sizeof odd);
  const auto* before = reinterpret_cast<const char*>(&odd);
  const std::size_t types = offsetof(EngineRecord, valveType);
  EXPECT_EQ(saved.substr(32, types - 32), std::string(before + 32, types - 32));
  EXPECT_EQ(saved.substr(types + 8), std::string(before + types + 8, 8));
  EngineRecord back;
  std::memcpy(&back, saved.data(), sizeof back);
  EXPECT_EQ(back.valveType, -1);  // shown as outside admission, stored so
}

TEST_F(TMainFormTest, EnterMovesTheFocusToTheNextControlInTabOrder) {
  MainForm->show();
  QApplication::setActiveWindow(MainForm);
  Pick("Express 4-4-0 rocker B");
  const auto enterIn = [](QWidget* box) {
    box->setFocus();
    QApplication::processEvents();
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();
    return QApplication::focusWidget();
  };
  EXPECT_EQ(enterIn(MainForm->EdRocker), MainForm->BtSave);
  EXPECT_EQ(enterIn(Box("EdLiftlink")), Box("EdLinkpins"));
  // Keys are never refused: validity is judged only on transfer.
  Box("EdConrod")->clear();
  QTest::keyClicks(Box("EdConrod"), "x-1,");
  EXPECT_EQ(Box("EdConrod")->text(), "x-1,");
  // A figure too long for its box shows from its first digit once left, whole in the tooltip.
  Box("EdConrod")->setFocus();
  Box("EdConrod")->clear();
  QTest::keyClicks(Box("EdConrod"), "1981.23456789012");
  EXPECT_EQ(enterIn(Box("EdConrod")), Box("EdMcrank"));
  EXPECT_EQ(Box("EdConrod")->cursorPosition(), 0);
  EXPECT_EQ(Box("EdConrod")->toolTip(), "1981.23456789012");
  EXPECT_TRUE(Box("EdMcrank")->toolTip().isEmpty());
}

TEST_F(TMainFormTest, RedMarksClearOnEnteringAnyRequiredBox) {
  MainForm->show();
  QApplication::setActiveWindow(MainForm);
  Pick("Goods 0-6-0 slide valve");
  Box("EdStlap")->clear();
  Box("EdConrod")->clear();
  ASSERT_EQ(MainForm->TransferEntries().kind, TMainForm::Transfer::Kind::dataMissing);
  for (const char* name : {"EdStlap", "EdConrod"}) {
    ASSERT_EQ(Controls::TextColour(Box(name)), Red());
    Box(name)->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Controls::TextColour(Box(name)), QColor(Qt::black)) << name;
  }
}

TEST_F(TMainFormTest, NameBoxesRefuseCharactersTheDataFileCannotHold) {
  // Typed one key at a time, as a keyboard with these characters would.
  for (const QChar c : QString("A\u0416\u00E9\u20AC")) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(MainForm->EdNewEng, &press);
  }
  EXPECT_EQ(MainForm->EdNewEng->text(), "A\u00E9\u20AC");
  MainForm->rockerGroup->button(0)->click();
  for (int i = 0; i < 16; ++i) MainForm->Box(i)->setText("1");
  ASSERT_TRUE(MainForm->TransferEntries().ok());
  EXPECT_EQ(std::string(MainForm->engine().name), "A\xE9\x80");
}

TEST_F(TMainFormTest, TabFollowsTheControlTableAndEntersEachGroupAtItsChoice) {
  MainForm->show();
  QApplication::setActiveWindow(MainForm);
  Pick("Express 4-4-0 rocker B");
  MainForm->valveGroup->button(1)->click();
  const auto label = [](QWidget* w) {
    const auto* button = qobject_cast<QAbstractButton*>(w);
    return w->objectName().isEmpty() && button ? button->text() : w->objectName();
  };
  QStringList expected = {"CB_Engines", "EdName",  "ChBDims", "EdNewEng", "Inside  adm",
                          "BtResults",  "BtPrint", "BtExit",  "Type B"};
  for (int i = 0; i < 17; ++i) expected << MainForm->Box(i)->objectName();
  expected << "BtSave"
           << "BtDelete"
           << "BtViewrock"
           << "CB_Engines";
  for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
    MainForm->CB_Engines->setFocus();
    QApplication::processEvents();
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
      QWidget* focus = QApplication::focusWidget();
      visited << (focus == MainForm->CB_Engines->lineEdit() ? "CB_Engines" : label(focus));
      QTest::keyClick(focus, key);
    }
    EXPECT_EQ(visited.join(", ").toStdString(), expected.join(", ").toStdString());
    std::reverse(expected.begin(), expected.end());
  }
  // The arrow keys choose within the group, and Tab then enters at that choice.
  MainForm->rockerGroup->button(2)->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
  EXPECT_EQ(MainForm->rockerGroup->checkedId(), 1);
  MainForm->BtExit->setFocus();
  QTest::keyClick(MainForm->BtExit, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), MainForm->rockerGroup->button(1));
}

TEST_F(TMainFormTest, EveryDimensionHasItsOwnCaptionedBoxAndComesBackEqual) {
  Engine engine;
  engine.name = "Round trip";
  engine.valveType = 1;
  engine.rockerType = -1;
  for (std::size_t i = 0; i < kDimensions; ++i) engine.*(EngineDimensions()[i].field) = (i + 1) / 7.0;
  MainForm->ShowEngine(engine);
  for (int i = 0; i < static_cast<int>(kDimensions); ++i) {
    const DimensionSpec& dimension = *FindDimension(TMainForm::Places()[static_cast<std::size_t>(i)].key);
    EXPECT_EQ(MainForm->Caption(i)->text(), dimension.caption);
    EXPECT_EQ(BoxText::Number(MainForm->Box(i)), engine.*(dimension.field)) << dimension.key;
  }
  ASSERT_TRUE(MainForm->TransferEntries().ok());
  for (const DimensionSpec& dimension : EngineDimensions())
    EXPECT_EQ(MainForm->engine().*(dimension.field), engine.*(dimension.field)) << dimension.key;
  EXPECT_EQ(MainForm->engine().name, "Round trip");
  QStringList valveTypes, rockerTypes;
  for (QAbstractButton* button : MainForm->valveGroup->buttons()) valveTypes << button->text();
  for (QAbstractButton* button : MainForm->rockerGroup->buttons()) rockerTypes << button->text();
  EXPECT_EQ(valveTypes, (QStringList{"Outside adm", "Inside  adm"}));
  EXPECT_EQ(rockerTypes, (QStringList{"No Rocker", "Type A", "Type B"}));
}

TEST_F(TMainFormTest, EveryNameOfUpTo29CharactersIsShownWhole) {
  const QStringList names = {"Express 4-4-0 rocker B equali", "GREAT WESTERN 4-6-0 CASTLE CL",
                             "MMMMMMMMMMMMMMMMMMMMMMMMMMMMM", "Goods"};
  std::vector<EngineRecord> records;
  for (const QString& name : names) records.push_back(MakeRecord(name.toStdString()));
  StartWith(records);
  // The list opens wide enough for the longest name beside its scroll bar.
  MainForm->CB_Engines->showPopup();
  QAbstractItemView* view = MainForm->CB_Engines->view();
  for (const QString& name : names)
    EXPECT_GE(view->viewport()->width(), view->fontMetrics().horizontalAdvance(name)) << name.toStdString();
  MainForm->CB_Engines->hidePopup();
  for (const QString& name : names) {
    Pick(name);
    for (QLineEdit* box : {MainForm->EdName, MainForm->CB_Engines->lineEdit()}) {
      EXPECT_EQ(box->toolTip(), name);
      EXPECT_EQ(box->cursorPosition(), 0);
    }
    // The CURRENT ENGINE box draws the whole name, in its own face when it fits.
    EXPECT_LE(MainForm->EdName->fontMetrics().horizontalAdvance(name), FittedName::Room(MainForm->EdName))
        << name.toStdString();
    EXPECT_GE(MainForm->EdName->font().pixelSize(), FittedName::kLeastPixelSize);
    if (name == "Goods") {
      EXPECT_EQ(MainForm->EdName->font(), Controls::Font(true));
    }
  }
}

TEST_F(TMainFormTest, EveryButtonHasItsOwnAltLetterAndTheHelpMenuListsF1) {
  QMap<QChar, QString> taken;
  QList<QString> captions;
  for (QAbstractButton* button : MainForm->findChildren<QAbstractButton*>()) captions << button->text();
  for (QMenu* menu : MainForm->menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
    captions << menu->title();
  for (const QString& caption : captions) {
    const qsizetype amp = caption.indexOf('&');
    if (amp < 0) continue;
    const QChar letter = caption[amp + 1].toUpper();
    EXPECT_FALSE(taken.contains(letter)) << caption.toStdString() << " and " << taken[letter].toStdString();
    taken[letter] = caption;
  }
  for (QPushButton* button : MainForm->findChildren<QPushButton*>())
    EXPECT_EQ(button->text().count('&'), 1) << button->text().toStdString();

  auto* f1 = MainForm->findChild<QAction*>("WindowHelp1");
  ASSERT_NE(f1, nullptr);
  EXPECT_EQ(f1->shortcut(), QKeySequence(Qt::Key_F1));
  QStringList topics;
  QObject::connect(MainForm, &TMainForm::helpRequested, [&topics](const QString& topic) { topics << topic; });
  f1->trigger();
  EXPECT_EQ(topics, QStringList{"engines"});
}
