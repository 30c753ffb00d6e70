// Every change goes through the session or the store first and is announced
// afterwards, so an observer always reads the state it is told about.
#include "SessionModel.h"

#include "BoxText.h"
#include "EngineConversion.h"
#include "LengthUnitSetting.h"
#include "ResultsFile.h"

SessionModel::SessionModel(QObject* parent) : QObject(parent) {}

SessionModel::~SessionModel() = default;

QString SessionModel::engineName() const {
  return BoxText::FromNameBytes(session_.engine().name);
}

StoreOutcome SessionModel::OpenStore(const std::string& dataFile) {
  dataFile_ = dataFile;
  shed_ = std::make_unique<TShed>(dataFile, [this](const std::string& name) { listed_.push_back(name); });
  origin_ = EngineRecord{};
  unit_ = ReadLengthUnit(dataFile);
  emit lengthUnitChanged();
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
  unit_ = unit;
  emit lengthUnitChanged();
  if (!shed_) return {};
  const FileWrite kept = WriteLengthUnit(dataFile_, unit);
  if (kept.ok()) return {};
  return {StoreOutcome::Kind::notWritten,
          "Cannot keep the length unit in \"" + LengthUnitPath(dataFile_) + "\": " + kept.reason};
}

std::optional<GearFailure> SessionModel::TakeEngine(const Engine& engine) {
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

RunOutcome SessionModel::MoveReverser(double liftArmDegrees, double settingDegrees) {
  const ReverserMove move = session_.MoveReverser(liftArmDegrees, settingDegrees);
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
