// The working folder: the desktop data folder chosen from the XDG variables and
// set up once with the sample engines, and the store reopened on another folder.
#include <QDir>
#include <QTemporaryDir>
#include <fstream>

#include "DataFolder.h"
#include "TResultsForm.h"
#include "WindowTest.h"

namespace fs = std::filesystem;

TEST(DataFolderTest, DesktopFolderFollowsTheXdgBaseDirectories) {
  const char* desktop[] = {"zovuderiz", "--desktop"};
  EXPECT_TRUE(DataFolder::StartedFromDesktop(2, desktop));
  EXPECT_FALSE(DataFolder::StartedFromDesktop(1, desktop));
  EXPECT_EQ(DataFolder::DesktopFolder("/x/data", "/home/u"), fs::path("/x/data/zovuderiz"));
  EXPECT_EQ(DataFolder::DesktopFolder("", "/home/u"), fs::path("/home/u/.local/share/zovuderiz"));
  EXPECT_EQ(DataFolder::DesktopFolder("relative", "/home/u"), fs::path("/home/u/.local/share/zovuderiz"));
  EXPECT_EQ(DataFolder::DesktopFolder(nullptr, nullptr), fs::path());
}

TEST(DataFolderTest, FirstUseCopiesTheSampleEnginesAndLaterUsesKeepTheUsersFile) {
  QTemporaryDir temp;
  const fs::path folder = fs::path(temp.path().toStdString()) / "data" / "zovuderiz";
  DataFolder::Prepare(folder, ZOV_EXAMPLES);
  EXPECT_EQ(fs::file_size(folder / "ste_data.dat"), fs::file_size(fs::path(ZOV_EXAMPLES) / "ste_data.dat"));
  fs::resize_file(folder / "ste_data.dat", 184);
  DataFolder::Prepare(folder, ZOV_EXAMPLES);
  EXPECT_EQ(fs::file_size(folder / "ste_data.dat"), 184u);

  std::ofstream(folder / "plain file") << "x";
  try {
    DataFolder::Prepare(folder / "plain file" / "zovuderiz", ZOV_EXAMPLES);
    FAIL() << "a folder under a file was made";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("plain file"), std::string::npos) << error.what();
  }
}

using OpenFolderTest = WindowTest;

TEST_F(OpenFolderTest, TheListComesFromTheOpenedFoldersDataFile) {
  const int samples = MainForm->CB_Engines->count();
  ASSERT_GT(samples, 0);
  EXPECT_TRUE(MainForm->DataFile1->text().endsWith(
      QDir::toNativeSeparators(QDir::current().absoluteFilePath("ste_data.dat"))));
  Pick(MainForm->CB_Engines->itemText(0));
  MainForm->BtResults->click();
  ASSERT_TRUE(ResultsForm->isVisible());

  QTemporaryDir other;
  prompter_.answers = {false};  // not the sample engines: an empty file
  WindowSet::OpenFolder(other.path());
  EXPECT_EQ(MainForm->CB_Engines->count(), 0);
  EXPECT_EQ(MainForm->EdName->text(), "");
  EXPECT_FALSE(ResultsForm->isVisible());
  EXPECT_TRUE(QFileInfo::exists(other.filePath("ste_data.dat")));
  EXPECT_EQ(QDir::current(), QDir(other.path()));
  EXPECT_TRUE(MainForm->DataFile1->text().endsWith(QDir::toNativeSeparators(other.filePath("ste_data.dat"))));

  EXPECT_THROW(WindowSet::OpenFolder(other.filePath("missing")), std::runtime_error);
  EXPECT_EQ(QDir::current(), QDir(other.path()));
  WindowSet::OpenFolder(QString::fromStdString(folder_.string()));
  EXPECT_EQ(MainForm->CB_Engines->count(), samples);
}
