// "Compare with...": a second engine studied at this study's setting angle
// and valve setting, drawn dashed over every plot with its summary beside
// this one's. A stored engine is read through the model read-only (its lookup
// for the boxes would make that record the one the main window's next save
// writes over); one stored in another unit than the studied engine's is
// converted, and its name says so.
#include <algorithm>

#include "BoxText.h"
#include "EngineScale.h"
#include "QtPrompter.h"
#include "Reaction.h"
#include "TStudyForm.h"

namespace {

// The factor that takes the data file's lengths into the studied engine's
// unit: 1 for the same unit, nothing when one of the two has no unit.
std::optional<double> StoredToStudied(LengthUnit stored, LengthUnit studied) {
  if (stored == studied) return 1.0;
  if (stored == LengthUnit::none || studied == LengthUnit::none) return std::nullopt;
  return studied == LengthUnit::mm ? 25.4 : 1 / 25.4;
}

}  // namespace

void TStudyForm::BuildCompareMenu() {
  CompareMenu = new QMenu(BtCompare);
  CompareMenu->setObjectName("CompareMenu");
  BtCompare->setMenu(CompareMenu);
  connect(CompareMenu, &QMenu::aboutToShow, this, Reaction([this] { FillCompareMenu(); }));
}

void TStudyForm::FillCompareMenu() {
  CompareMenu->clear();
  const auto factor = StoredToStudied(model_.fileLengthUnit(), model_.lengthUnit());
  QMenu* stored = CompareMenu->addMenu(factor ? "A stored engine" : "A stored engine (of another unit)");
  stored->setObjectName("StoredEngines");
  std::vector<std::string> names = model_.ListEngineNames();
  std::sort(names.begin(), names.end());
  for (const std::string& bytes : names) {
    const QString name = BoxText::FromNameBytes(bytes);
    stored->addAction(name, this, Reaction([this, name](bool) { CompareWithStored(name); }));
  }
  stored->setEnabled(factor && !names.empty());
  QAction* boxes = CompareMenu->addAction("The engine in the main window's boxes", this,
                                          Reaction([this](bool) { OfferCompare(boxesSource_); }));
  boxes->setEnabled(static_cast<bool>(boxesSource_));
  QAction* proposal = CompareMenu->addAction("The design assistant's last proposal", this,
                                             Reaction([this](bool) { OfferCompare(proposalSource_); }));
  proposal->setEnabled(static_cast<bool>(proposalSource_));
  CompareMenu->addSeparator();
  QAction* stop =
      CompareMenu->addAction("Stop comparing", this, Reaction([this](bool) { CompareWith(std::nullopt); }));
  stop->setEnabled(comparedEngine_.has_value());
}

void TStudyForm::SetCompareSources(EngineSource boxes, EngineSource proposal) {
  boxesSource_ = std::move(boxes);
  proposalSource_ = std::move(proposal);
}

void TStudyForm::OfferCompare(const EngineSource& source) {
  const EngineOffer offer = source();
  if (!offer.engine) return AppPrompter().Inform("Message", offer.problem.toStdString());
  CompareWith(offer.engine, offer.name);
}

void TStudyForm::CompareWithStored(const QString& name) {
  const FoundEngine found = model_.StoredEngine(BoxText::NameBytes(name));
  if (!found.engine) return AppPrompter().Inform("Message", found.outcome.message);
  const auto factor = StoredToStudied(model_.fileLengthUnit(), model_.lengthUnit());
  if (!factor) return AppPrompter().Inform("Message", "The stored engines have another length unit.");
  if (*factor == 1) return CompareWith(found.engine, name);
  const char* unit = model_.lengthUnit() == LengthUnit::mm ? "mm" : "in";
  CompareWith(ScaledEngine(*found.engine, *factor), name + " converted to " + unit);
}

void TStudyForm::CompareWith(const std::optional<Engine>& engine, const QString& name) {
  comparedEngine_ = engine;
  comparedName_ = engine ? name : QString();
  compared_.reset();
  comparedSession_.reset();
  if (!haveStudy_) return Restudy();
  ShowStudies();
  ShowSummary();
  UpdateMarker();
  if (engine) Restudy();
}
