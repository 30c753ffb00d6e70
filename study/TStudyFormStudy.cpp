// The study window's reactions to the session and its boxes: a new engine, a
// new equal-lead setting or a changed box starts a new study. Studies (with
// the compared engine's, at the same setting) are computed by the window's
// JobRunner on copies of the sessions, so "GO" may change the model's
// meanwhile, and shown when they arrive; with a play, the study's bands too.
#include <thread>

#include "BoxText.h"
#include "Controls.h"
#include "Reaction.h"
#include "StudySummaryText.h"
#include "TStudyForm.h"

namespace {

// The reverser moves by tenths of a degree; a finer step would only repeat its runs.
constexpr double kSmallestStepDeg = 0.1;

// The usable range is searched once, whatever the notches (the reverser spans
// it); with no setting given the valve is set at its positive end, full gear
// downwards, where a designer first sets it.
// With a play the same study is made with each notch's bands taken from its
// own run, so its rows are those without the play, bit for bit.
PlayStudy StudyOf(const Session& session, std::optional<double> settingDeg, const NotchPlan& plan,
                  const StudyOptions& options, const std::optional<GearPlay>& play, WorkControl& control) {
  const int threads = static_cast<int>(std::thread::hardware_concurrency());
  std::optional<UsableRange> usable;
  if (!session.takeFailure() && session.taken()) usable = FindUsableRange(session, threads, &control.cancel);
  const double setting = settingDeg.value_or(usable ? usable->hiDeg : 0);
  if (play) return RunPlayStudy(session, setting, plan, usable, *play, threads, &control, options);
  PlayStudy plain;
  plain.study = RunQuadrantStudy(session, setting, plan, usable, threads, &control, options);
  return plain;
}

}  // namespace

void TStudyForm::EngineTaken() {
  settingTyped_ = false;
  sessionSetting_.reset();
  haveStudy_ = false;
  stale_ = true;
  ShowSettingSource();
  if (isVisible()) Restudy();
}

// Another data file: its engines are not those studied or compared, and the
// session has no engine until GET  RESULTS.
void TStudyForm::StoreOpened() {
  jobs_.Cancel();
  comparedEngine_.reset();
  comparedName_.clear();
  compared_.reset();
  comparedSession_.reset();
  // A play belongs to that file's engines and unit.
  play_.reset();
  playWords_.clear();
  playRefusal_.clear();
  played_.reset();
  study_ = QuadrantStudy{};
  tableModel_.SetRows({});
  tableModel_.SetBands({});
  ShowStudies();
  LbComparedSummary->hide();
  EngineTaken();
  UpdateReverser();
}

void TStudyForm::RunChanged() {
  const auto setting = model_.session().settingAngleDeg();
  if (setting != sessionSetting_) {
    // A new centring: the study is set where the leads now are equal (unless
    // it already is, as when the reverser fixed it at this study's setting).
    sessionSetting_ = setting;
    settingTyped_ = false;
    // The study follows how the RESULTS window's first run set the valves.
    const auto valves = model_.session().valveSetting();
    if (valves) SetValveBox(*valves);
    const bool studied = haveStudy_ && setting == study_.settingDeg && valves == study_.options.valveSetting;
    if (setting && !studied) {
      if (std::fabs(*setting) <= kSettingLimitDeg) SetSettingBox(*setting);
      stale_ = true;
      if (isVisible()) Restudy();
    }
  }
  UpdateMarker();
  ShowSettingSource();
}

void TStudyForm::ShowSettingSource() {
  const Session& session = model_.session();
  const auto setting = session.settingAngleDeg();
  const auto valves = session.valveSetting();
  QString text = "Valves: RESULTS has not set them yet";
  bool differs = false;
  if (setting && valves) {
    differs = !haveStudy_ || *setting != study_.settingDeg || *valves != study_.options.valveSetting;
    text = differs ? QString("Valves: RESULTS sets %1 at %2 deg.")
                         .arg(CbValveSetting->itemText(*valves == ValveSetting::equalCutOff),
                              BoxText::Format(*setting))
                   : QString("Valves set as on RESULTS");
  }
  LbSettingSource->setText(text);
  Controls::SetTextColour(LbSettingSource,
                          differs ? Controls::Maroon() : palette().color(QPalette::WindowText));
}

void TStudyForm::SetValveBox(ValveSetting valves) {
  const QSignalBlocker quiet(CbValveSetting);
  CbValveSetting->setCurrentIndex(valves == ValveSetting::equalCutOff ? 1 : 0);
}

void TStudyForm::LengthUnitChanged() {
  Charts->SetLengthUnit(model_.lengthUnit());
  tableModel_.SetLengthUnit(model_.lengthUnit());
  if (haveStudy_) ShowSummary();
}

void TStudyForm::SetSettingBox(double degrees) {
  const QSignalBlocker quiet(EdSetting);
  EdSetting->setValue(degrees);
}

std::optional<double> TStudyForm::ChosenSetting(QString* refusal) const {
  // The setting typed here, else the session's, else the one the last study
  // chose for this engine; with none of them the study picks full gear.
  std::optional<double> setting = model_.session().settingAngleDeg();
  if (settingTyped_ || (!setting && haveStudy_)) return EdSetting->value();
  if (setting && !(std::fabs(*setting) <= kSettingLimitDeg))
    *refusal =
        QString(
            "The RESULTS window keeps equal leads set at %1 deg., outside the %2 to %3 deg. the setting "
            "box takes: type the study's setting angle in the box.")
            .arg(BoxText::Format(*setting), BoxText::Format(-kSettingLimitDeg),
                 BoxText::Format(kSettingLimitDeg));
  return setting;
}

StudyOptions TStudyForm::ChosenOptions() const {
  const ValveSetting valves =
      CbValveSetting->currentIndex() == 1 ? ValveSetting::equalCutOff : ValveSetting::equalLeads;
  return {valves, Indicator->params()};
}

void TStudyForm::Restudy() {
  const Session& session = model_.session();
  stale_ = false;
  LbName->setText(BoxText::First29(model_.engineName()));
  if (!session.taken()) {
    LbSummary->setText("No engine yet: press GET  RESULTS on the data-entry window first.");
    return;
  }
  if (!(EdStep->value() >= kSmallestStepDeg)) {
    LbSummary->setText(
        QString("A notch step of %1 deg. is too fine: the reverser moves by tenths of a degree. "
                "Type a step of at least %2 deg.; the study shown keeps its notches.")
            .arg(BoxText::Format(EdStep->value()), BoxText::Format(kSmallestStepDeg)));
    return;
  }
  QString refusal;
  const std::optional<double> setting = ChosenSetting(&refusal);
  if (!refusal.isEmpty()) return LbSummary->setText(refusal);
  const NotchPlan plan{ChBAuto->isChecked(), EdFrom->value(), EdTo->value(), EdStep->value()};
  const StudyOptions options = ChosenOptions();
  // Until the new study arrives the reverser would move with a stale setting.
  Reverser->setEnabled(false);
  LbReverser->clear();
  playRefusal_.clear();
  const std::optional<GearPlay> play = PlayForStudy(&playRefusal_);
  jobs_.Start([this, session, setting, plan, options, play,
               other = comparedEngine_](JobRunner::Job& job) -> JobRunner::Delivery {
    PlayStudy own = StudyOf(session, setting, plan, options, play, job.control);
    Studies studies{own.study, session, {}, {}, {}};
    if (play) studies.played = std::move(own);
    if (other && studies.study.problem != StudyProblem::cancelled) {
      Session compared;
      compared.Take(*other);
      job.control.done = 0;  // the compared engine's notches are counted afresh
      studies.compared = StudyOf(compared, studies.study.settingDeg, plan, options, {}, job.control).study;
      studies.comparedSession = compared;
    }
    return [this, studies = std::move(studies)] { Delivered(studies); };
  });
  progressTicks_ = 0;
  progressTimer_.start(100);
}

void TStudyForm::ShowProgress() {
  const bool running = jobs_.busy();
  // Short studies finish before anything would flicker.
  const bool show = running && ++progressTicks_ >= 3;
  Progress->setVisible(show);
  BtCancel->setVisible(show);
  if (show) {
    // Until the notches are counted (the usable range is being searched) the
    // bar says only that work goes on, never a share of it.
    Progress->setMaximum(jobs_.total());
    Progress->setValue(jobs_.done());
  }
  if (!running) progressTimer_.stop();
}

void TStudyForm::Delivered(const Studies& studies) {
  // A cancelled study leaves the last one shown; the summary says it was
  // cancelled. One that arrives after the store let its engine go is dropped.
  if (studies.study.problem == StudyProblem::cancelled || !model_.session().taken()) return ShowProgress();
  study_ = studies.study;
  studySession_ = studies.session;
  compared_ = studies.compared;
  comparedSession_ = studies.comparedSession;
  played_ = studies.played;
  haveStudy_ = true;
  SetSettingBox(study_.settingDeg);
  tableModel_.SetRows(study_.rows);
  tableModel_.SetBands(played_ ? played_->bands : std::vector<NotchBand>{});
  if (study_.usable) {
    const QSignalBlocker quiet(Reverser);
    Reverser->setRange(SliderValue(study_.usable->loDeg), SliderValue(study_.usable->hiDeg));
  }
  ShowStudies();
  LbHover->clear();
  ShowSummary();
  UpdateReverser();
  UpdateMarker();
  ShowSettingSource();
  ShowProgress();
}

void TStudyForm::ShowStudies() {
  const bool comparing = compared_ && compared_->problem == StudyProblem::none;
  const bool banded = played_ && study_.problem == StudyProblem::none;
  Charts->Show(study_, comparing ? &compared_->rows : nullptr, comparedName_,
               banded ? &played_->bands : nullptr);
}

void TStudyForm::ShowSummary() {
  // A study that could not be made says so in the colour of a warning.
  const bool failed = study_.problem != StudyProblem::none;
  Controls::SetTextColour(LbSummary, failed ? Controls::Maroon() : palette().color(QPalette::WindowText));
  QStringList lines = StudySummaryLines(study_, model_.lengthUnit());
  if (played_ && !failed) lines += PlaySummaryLine(played_->worstWithPlay, playWords_, model_.lengthUnit());
  if (!playRefusal_.isEmpty()) lines += playRefusal_;
  LbComparedSummary->setVisible(comparedEngine_.has_value());
  if (!comparedEngine_) return LbSummary->setText(lines.join("\n"));
  lines.prepend(LbName->text() + ":");
  LbSummary->setText(lines.join("\n"));
  QStringList compared{"Compared with " + comparedName_ + " (dashed lines):"};
  if (compared_)
    compared += StudySummaryLines(*compared_, model_.lengthUnit());
  else
    compared += "Studying it at the same setting...";
  LbComparedSummary->setText(compared.join("\n"));
}
