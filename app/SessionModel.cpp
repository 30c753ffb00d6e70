// Every change goes through the session or the store first and is announced
// afterwards, so an observer always reads the state it is told about.
#include "SessionModel.h"

#include <QFileInfo>

#include "BoxText.h"
#include "EngineConversion.h"
#include "EngineCopy.h"
#include "LengthUnitSetting.h"
#include "ResultsFile.h"

namespace {

// A unit file not taken is said with where the user sets the unit.
std::string WithRemedy(const std::string& problem) {
  return problem.empty() ? problem : problem + " Set one under File > Length unit.";
}

}  // namespace

SessionModel::SessionModel(QObject* parent) : QObject(parent) {
  connect(&folderWatch_, &QFileSystemWatcher::directoryChanged, this, [this] {
    const std::string problem = RefreshLengthUnit();
    if (!problem.empty()) emit lengthUnitRefused(QString::fromStdString(problem));
  });
}

SessionModel::~SessionModel() = default;

QString SessionModel::engineName() const {
  return BoxText::FromNameBytes(session_.engine().name);
}

StoreOutcome SessionModel::OpenStore(const std::string& dataFile) {
  dataFile_ = dataFile;
  shed_ = std::make_unique<TShed>(dataFile, [this](const std::string& name) { listed_.push_back(name); });
  origin_ = EngineRecord{};
  const LengthUnitReading reading = ReadLengthUnitSetting(dataFile);
  fileUnit_ = unit_ = reading.unit;
  ownUnit_ = false;
  unitProblem_ = WithRemedy(reading.problem);
  emit lengthUnitChanged();
  if (!folderWatch_.directories().isEmpty()) folderWatch_.removePaths(folderWatch_.directories());
  folderWatch_.addPath(QFileInfo(QString::fromStdString(dataFile)).absolutePath());
  const StoreOutcome opened = shed_->Open();
  session_ = Session{};
  emit storeOpened();
  return opened;
}

StoreOutcome SessionModel::CreateDataFile() {
  return shed_ ? shed_->Create() : StoreOutcome{};
}

void SessionModel::CloseStore() {
  shed_.reset();
}

std::vector<std::string> SessionModel::ListEngineNames() {
  listed_.clear();
  if (shed_) shed_->ListEngines();
  return std::move(listed_);
}

FoundEngine SessionModel::FindEngine(const std::string& nameBytes) {
  if (!shed_) return {};
  const FoundRecord found = shed_->FindEngine(nameBytes.c_str());
  if (!found.record) return {std::nullopt, found.outcome};
  origin_ = *found.record;
  return {ToEngine(origin_), found.outcome};
}

bool SessionModel::IsStored(const std::string& nameBytes) const {
  return shed_ && shed_->FindEngine(nameBytes.c_str()).record.has_value();
}

FoundEngine SessionModel::StoredEngine(const std::string& nameBytes) const {
  if (!shed_) return {};
  const FoundRecord found = shed_->FindEngine(nameBytes.c_str());
  if (!found.record) return {std::nullopt, found.outcome};
  return {ToEngine(*found.record), found.outcome};
}

StoreOutcome SessionModel::CopyEngineTo(const std::string& dataFile, const Engine& engine, LengthUnit unit,
                                        const LockWait& wait) {
  EngineRecord record = origin_;
  ToRecord(engine, record);
  return CopyEngineInto(dataFile, record, unit, wait).outcome;
}

StoreOutcome SessionModel::SaveNewEngine(const Engine& engine, const LockWait& wait) {
  if (!shed_) return {};
  EngineRecord record = origin_;
  ToRecord(engine, record);
  return shed_->SaveNewEngine(record, wait);
}

StoreOutcome SessionModel::SaveEngine(const Engine& engine, const LockWait& wait) {
  if (!shed_) return {};
  EngineRecord record = origin_;
  ToRecord(engine, record);
  return shed_->SaveEngine(record, wait);
}

StoreOutcome SessionModel::DeleteEngine(const std::string& nameBytes, const LockWait& wait) {
  if (!shed_) return {};
  EngineRecord record = origin_;
  SetRecordName(record, nameBytes.data(), nameBytes.size());
  return shed_->DeleteEngine(record, wait);
}

StoreOutcome SessionModel::SetLengthUnit(LengthUnit unit) {
  fileUnit_ = unit;
  if (!ownUnit_) SetShownUnit(unit);
  if (!shed_) return {};
  const FileWrite kept = WriteLengthUnit(dataFile_, unit);
  if (kept.ok()) return {};
  return {StoreOutcome::Kind::notWritten,
          "Cannot keep the length unit in \"" + LengthUnitPath(dataFile_) + "\": " + kept.reason};
}

std::string SessionModel::RefreshLengthUnit() {
  if (!shed_) return {};
  const LengthUnitReading reading = ReadLengthUnitSetting(dataFile_);
  if (reading.unit != fileUnit_) {
    fileUnit_ = reading.unit;
    SetShownUnit(ownUnit_ ? unit_ : reading.unit);
  }
  const std::string problem = WithRemedy(reading.problem);
  if (problem == unitProblem_) return {};
  unitProblem_ = problem;
  return problem;
}

void SessionModel::SetShownUnit(LengthUnit unit) {
  unit_ = unit;
  emit lengthUnitChanged();
}

std::optional<GearFailure> SessionModel::TakeEngine(const Engine& engine) {
  return TakeEngine(engine, fileUnit_);
}

std::optional<GearFailure> SessionModel::TakeEngine(const Engine& engine, LengthUnit unit) {
  ownUnit_ = unit != fileUnit_;
  if (unit != unit_) SetShownUnit(unit);
  auto failure = session_.Take(engine);
  emit engineTaken();
  return failure;
}

RunOutcome SessionModel::Go(double liftArmDegrees) {
  return Go(liftArmDegrees, ValveSetting::equalLeads);
}

RunOutcome SessionModel::Go(double liftArmDegrees, ValveSetting setting) {
  RunOutcome outcome = session_.Go(liftArmDegrees, setting);
  if (!outcome.ok()) return outcome;
  emit runChanged();
  WriteResultsFile();
  return outcome;
}

RunOutcome SessionModel::MoveReverser(double liftArmDegrees, double settingDegrees, ValveSetting setting) {
  const ReverserMove move = session_.MoveReverser(liftArmDegrees, settingDegrees, setting);
  if (move.outcome.ok())
    AnnounceRun(liftArmDegrees);
  else if (move.settingFixed)
    AnnounceRun(settingDegrees);
  return move.outcome;
}

void SessionModel::AnnounceRun(double liftArmDegrees) {
  emit reverserMoved(liftArmDegrees);
  emit runChanged();
}

void SessionModel::ReleaseReverser() {
  if (session_.latestRun()) WriteResultsFile();
}

void SessionModel::ShowAnimationStep(int step, int markerHalf) {
  emit animationStepShown(step, markerHalf);
}

// The table lands in the working folder, beside the data file.
void SessionModel::WriteResultsFile() {
  const TableWrite table = WriteResultsTable(session_.engine().name, *session_.latestRun(), "results.txt");
  if (table.outcome == TableWrite::Outcome::notOpened) emit resultsNotWritten("Cannot open Results file");
  if (table.outcome == TableWrite::Outcome::notWritten)
    emit resultsNotWritten(QString::fromStdString("Cannot write Results file: " + table.reason +
                                                  "\nresults.txt was left as it was before this run."));
}
