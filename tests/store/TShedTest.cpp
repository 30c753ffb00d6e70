// The store's record order, name matching and outcomes on real files.
#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "TShed.h"

using Names = std::vector<std::string>;

class TShedTest : public TempFolder {
 protected:
  TShed& Open() {
    shed_ = std::make_unique<TShed>(dataPath_, [this](const std::string& n) { listed_.push_back(n); });
    opened_ = shed_->Open();
    return *shed_;
  }
  int Relist() {
    listed_.clear();
    return shed_->ListEngines();
  }
  StoreOutcome opened_;
  Names listed_;
  std::unique_ptr<TShed> shed_;
};

TEST_F(TShedTest, SaveAndDeleteGiveTheWorkedRecordOrders) {
  WriteRecords(dataPath_, {MakeRecord("A"), MakeRecord("B"), MakeRecord("C")});
  TShed& shed = Open();
  EXPECT_EQ(Relist(), 3);
  EXPECT_EQ(listed_, (Names{"A", "B", "C"}));

  const StoreOutcome saved = shed.SaveEngine(MakeRecord("A", 2));
  EXPECT_TRUE(saved.ok());
  EXPECT_EQ(saved.message, "Records stored");
  EXPECT_EQ(FileOrder(dataPath_), (Names{"A:2", "C:1", "B:1"}));

  EXPECT_EQ(Relist(), 3);
  shed.SaveEngine(MakeRecord("D"));
  EXPECT_EQ(FileOrder(dataPath_), (Names{"D:1", "B:1", "C:1", "A:2"}));

  EXPECT_EQ(Relist(), 4);
  const StoreOutcome deleted = shed.DeleteEngine(MakeRecord("B"));
  EXPECT_TRUE(deleted.ok());
  EXPECT_TRUE(deleted.message.empty());
  EXPECT_EQ(FileOrder(dataPath_), (Names{"A:2", "C:1", "D:1"}));
  EXPECT_EQ(Relist(), 3);
}

TEST_F(TShedTest, DuplicateNamesTakeTheRecordNearestTheFileStart) {
  // Find, save and delete all take the record the user is shown: X:1.
  WriteRecords(dataPath_, {MakeRecord("X", 1), MakeRecord("Y", 5), MakeRecord("X", 2)});
  TShed& shed = Open();
  Relist();
  const auto x = shed.FindEngine("X").record;
  ASSERT_TRUE(x);
  EXPECT_EQ(x->conrod, 1);

  shed.SaveEngine(MakeRecord("X", 3));
  EXPECT_EQ(FileOrder(dataPath_), (Names{"X:3", "X:2", "Y:5"}));

  WriteRecords(dataPath_, {MakeRecord("X", 1), MakeRecord("Y", 5), MakeRecord("X", 2)});
  Relist();
  shed.DeleteEngine(MakeRecord("X"));
  EXPECT_EQ(FileOrder(dataPath_), (Names{"X:2", "Y:5"}));
}

TEST_F(TShedTest, NamesMatchExactlyAndAMissIsOnlyTold) {
  WriteRecords(dataPath_, {MakeRecord("goods", 1), MakeRecord("Tank ", 2)});
  TShed& shed = Open();
  Relist();
  EXPECT_FALSE(shed.FindEngine("Goods").record);
  const FoundRecord tank = shed.FindEngine("Tank");
  EXPECT_FALSE(tank.record);
  EXPECT_EQ(tank.outcome.kind, StoreOutcome::Kind::notFound);
  EXPECT_EQ(tank.outcome.message, "Engine not found");

  shed.SaveEngine(MakeRecord("GOODS", 3));
  EXPECT_EQ(Relist(), 3);
  const auto goods = shed.FindEngine("goods").record;
  ASSERT_TRUE(goods);
  EXPECT_EQ(goods->conrod, 1);

  // Deleting an unknown name removes nothing but still rewrites (reversing).
  shed.DeleteEngine(MakeRecord("nobody"));
  EXPECT_EQ(FileOrder(dataPath_), (Names{"goods:1", "Tank :2", "GOODS:3"}));
}

TEST_F(TShedTest, RecordsTravelByteForByteAndPartRecordsAreDropped) {
  EngineRecord stored = MakeRecord("a much longer earlier name");
  SetRecordName(stored, "Short", 5);  // leaves the old tail after the NUL
  stored.reserved = 123.25;
  stored.valveType = 0;
  stored.rockerRatio = 0.7;
  WriteRecords(dataPath_, {stored}, "x");  // one stray byte: a part-record
  TShed& shed = Open();
  EXPECT_EQ(Relist(), 1);
  const auto out = shed.FindEngine("Short").record;
  ASSERT_TRUE(out);
  EXPECT_EQ(std::memcmp(&*out, &stored, sizeof stored), 0);

  shed.SaveEngine(*out);
  const std::string bytes = ReadBytes(dataPath_);
  ASSERT_EQ(bytes.size(), 184u);
  EXPECT_EQ(std::memcmp(bytes.data(), &stored, 184), 0);
}

TEST_F(TShedTest, NameWithoutTerminatorIsReadAsItsFirst29Bytes) {
  EngineRecord record{};
  std::memset(record.name, 'N', sizeof record.name);
  WriteRecords(dataPath_, {record});
  TShed& shed = Open();
  Relist();
  ASSERT_EQ(listed_.size(), 1u);
  EXPECT_EQ(listed_[0], std::string(29, 'N'));
  EXPECT_TRUE(shed.FindEngine(std::string(29, 'N').c_str()).record);
}

TEST_F(TShedTest, MissingFileIsCreatedWithoutAQuestion) {
  TShed& shed = Open();
  EXPECT_TRUE(std::filesystem::exists(dataPath_));
  EXPECT_EQ(std::filesystem::file_size(dataPath_), 0u);
  EXPECT_TRUE(opened_.ok());
  EXPECT_TRUE(opened_.message.empty());
  EXPECT_EQ(shed.ListEngines(), 0);
}

TEST_F(TShedTest, UncreatableFileAsksAndThenFailsWithoutHarm) {
  dataPath_ = (folder_ / "no such folder" / "ste_data.dat").string();
  TShed& shed = Open();
  EXPECT_EQ(opened_.kind, StoreOutcome::Kind::missingFile);
  EXPECT_EQ(opened_.message, "Open new file?");
  const StoreOutcome created = shed.Create();
  EXPECT_EQ(created.kind, StoreOutcome::Kind::notCreated);
  EXPECT_NE(created.message.find("ste_data.dat"), std::string::npos);
  EXPECT_EQ(Relist(), 0);
  const StoreOutcome saved = shed.SaveEngine(MakeRecord("A"));
  EXPECT_EQ(saved.kind, StoreOutcome::Kind::notWritten);
  EXPECT_NE(saved.message.find("ste_data.dat"), std::string::npos);
  EXPECT_EQ(Relist(), 0);
  EXPECT_FALSE(shed.DeleteEngine(MakeRecord("A")).ok());
}
