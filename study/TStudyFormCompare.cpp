// "Compare with...": a second engine studied at this study's setting angle
// and valve setting, drawn dashed over every plot with its summary beside
// this one's. A stored engine is read from the session's data file through a
// store of the window's own: the model's lookup would make that record the one
// the main window's next save writes over.
#include <algorithm>

#include "BoxText.h"
#include "EngineConversion.h"
#include "QtPrompter.h"
#include "Reaction.h"
#include "TShed.h"
#include "TStudyForm.h"

void TStudyForm::BuildCompareMenu() {
  CompareMenu = new QMenu(BtCompare);
  CompareMenu->setObjectName("CompareMenu");
  BtCompare->setMenu(CompareMenu);
  connect(CompareMenu, &QMenu::aboutToShow, this, Reaction([this] { FillCompareMenu(); }));
}

void TStudyForm::FillCompareMenu() {
  CompareMenu->clear();
  QMenu* stored = CompareMenu->addMenu("A stored engine");
  stored->setObjectName("StoredEngines");
  std::vector<std::string> names = model_.ListEngineNames();
  std::sort(names.begin(), names.end());
  for (const std::string& bytes : names) {
    const QString name = BoxText::FromNameBytes(bytes);
    stored->addAction(name, this, Reaction([this, name](bool) { CompareWithStored(name); }));
  }
  stored->setEnabled(!names.empty());
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
  TShed store(model_.dataFile(), [](const std::string&) {});
  store.ListEngines();
  const FoundRecord found = store.FindEngine(BoxText::NameBytes(name).c_str());
  if (!found.record) {
    const std::string why = store.ReadError().empty() ? found.outcome.message : store.ReadError();
    return AppPrompter().Inform("Message", why);
  }
  CompareWith(ToEngine(*found.record), name);
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
