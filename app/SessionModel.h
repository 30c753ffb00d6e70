// The design session as the windows see it: it owns the Qt-free Session, the
// engine store and the length unit of its data file, and announces with
// signals what changed, so that each window redraws its own controls from it
// and no window drives another. Store outcomes come back as values; the
// windows say them.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "EngineRecord.h"
#include "Quantity.h"
#include "Session.h"
#include "TShed.h"
#include "ValveSetting.h"

// A stored engine found by name, or why not.
struct FoundEngine {
  std::optional<Engine> engine;
  StoreOutcome outcome;
};

class SessionModel : public QObject {
  Q_OBJECT

 public:
  explicit SessionModel(QObject* parent = nullptr);
  ~SessionModel() override;

  const Session& session() const { return session_; }
  // The name of the engine the session computes, as every window shows it;
  // empty before the first "GET  RESULTS".
  QString engineName() const;

  // Opens the store on dataFile (created when missing), reads the length unit
  // kept for it and announces the unit. missingFile: ask, then CreateDataFile.
  // The session's engine came from the data file before: it is let go, and
  // storeOpened announces the new store.
  StoreOutcome OpenStore(const std::string& dataFile);
  StoreOutcome CreateDataFile();
  // "EXIT": the store is closed; saving and deleting do nothing after it.
  void CloseStore();
  bool hasStore() const { return shed_ != nullptr; }
  // The data file the store works on, as it was named (relative to the working folder).
  const std::string& dataFile() const { return dataFile_; }
  // The stored names (the records' bytes) in file order; empty when unreadable.
  std::vector<std::string> ListEngineNames();
  // The stored engine of that name; it becomes the record that a later save
  // writes over, so its reserved field and the bytes after its name stay.
  FoundEngine FindEngine(const std::string& nameBytes);
  // Whether the latest listing holds an engine of that name (record bytes);
  // for suggesting a free name (FreeEngineName) and asking before a replace.
  bool IsStored(const std::string& nameBytes) const;
  // The stored engine of that name, read only: the record a save writes
  // over stays the one FindEngine gave.
  FoundEngine StoredEngine(const std::string& nameBytes) const;
  // Stores the engine (in `unit`) as a new engine in another data file,
  // under a free name there (CopyEngineInto); done says where and as what.
  StoreOutcome CopyEngineTo(const std::string& dataFile, const Engine& engine, LengthUnit unit,
                            const LockWait& wait = {});
  // Saves the engine only when no engine of its name is in the file at the
  // moment of writing (nameTaken otherwise): a new engine never replaces one.
  StoreOutcome SaveNewEngine(const Engine& engine, const LockWait& wait = {});
  // Saves the engine under its name over the record it came from. Saving and
  // deleting wait as `wait` says while another program holds the data file;
  // they may run on another thread while the GUI thread waits for them.
  StoreOutcome SaveEngine(const Engine& engine, const LockWait& wait = {});
  StoreOutcome DeleteEngine(const std::string& nameBytes, const LockWait& wait = {});

  // The unit the lengths of the engine the session computes are in (the data
  // file's until an engine of another unit is taken): only shown, never converted.
  LengthUnit lengthUnit() const { return unit_; }
  // The unit set for the data file's lengths.
  LengthUnit fileLengthUnit() const { return fileUnit_; }
  // Sets and announces the data file's unit and keeps it beside the file;
  // notWritten (the unit still set) when it cannot be kept.
  StoreOutcome SetLengthUnit(LengthUnit unit);
  // Reads the data file's unit again (another program may have set it) and
  // announces a change. The sentence why a unit file was not taken, when it
  // has not been said for this data file yet; else empty.
  std::string RefreshLengthUnit();
  // Why the unit file read at opening was not taken; empty when it was.
  const std::string& lengthUnitProblem() const { return unitProblem_; }

  // "GET  RESULTS": takes the engine in (centring cleared) and announces it.
  // Its lengths are in the data file's unit, or in `unit` for an engine
  // made in another (scaled from inches to millimetres).
  std::optional<GearFailure> TakeEngine(const Engine& engine);
  std::optional<GearFailure> TakeEngine(const Engine& engine, LengthUnit unit);
  // "GO": runs the gear; a good run is kept, announced and written to results.txt.
  RunOutcome Go(double liftArmDegrees);
  // "GO" with the valve setting chosen for a first run (Session::Go).
  RunOutcome Go(double liftArmDegrees, ValveSetting setting);
  // The live reverser (Session::MoveReverser): a good run is announced,
  // reverserMoved before runChanged; when only the setting run was good, that
  // one is announced at the setting angle.
  RunOutcome MoveReverser(double liftArmDegrees, double settingDegrees,
                          ValveSetting setting = ValveSetting::equalLeads);
  // The reverser was let go: results.txt is written for the latest run.
  void ReleaseReverser();
  // The animation has drawn crank step `step` with a marker of that half size.
  void ShowAnimationStep(int step, int markerHalf);

 signals:
  void engineTaken();
  void runChanged();
  void reverserMoved(double liftArmDegrees);
  void animationStepShown(int step, int markerHalf);
  // results.txt could not be written; the message says why.
  void resultsNotWritten(const QString& message);
  void lengthUnitChanged();
  // The unit file, changed by another program, cannot be taken (said once).
  void lengthUnitRefused(const QString& problem);
  // The store now works on another data file and the session holds no engine:
  // a window showing an engine of the old file clears it.
  void storeOpened();

 private:
  void WriteResultsFile();
  void AnnounceRun(double liftArmDegrees);
  void SetShownUnit(LengthUnit unit);

  Session session_;
  std::unique_ptr<TShed> shed_;
  std::string dataFile_;
  std::vector<std::string> listed_;
  EngineRecord origin_{};
  LengthUnit unit_ = LengthUnit::none;
  LengthUnit fileUnit_ = LengthUnit::none;
  bool ownUnit_ = false;  // the session's engine has a unit of its own, not the file's
  std::string unitProblem_;
  // Watches the data file's folder, where another copy of the program may set the unit.
  QFileSystemWatcher folderWatch_;
};
