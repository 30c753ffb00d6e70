// The "Scale engine" dialog of the data-entry window: a factor for every length
// of the engine in the boxes, from inches to millimetres, millimetres to
// inches or a model scale 1:N, the free name the scaled engine is shown under,
// and, when the unit changes to one the data file is not in, the offer to copy it.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>
#include <optional>
#include <string>

#include "Quantity.h"

class ScaleEngineDialog : public QDialog {
  Q_OBJECT

 public:
  enum Preset { inchesToMillimetres, millimetresToInches, modelScale };
  // Whether a name (record bytes) is stored in the data file.
  using NameTaken = std::function<bool(const std::string&)>;

  // Starts on the model scale 1:8 for the engine of that name, whose lengths
  // are in `unit`, in a data file whose lengths are in `fileUnit`.
  ScaleEngineDialog(const QString& engineName, LengthUnit unit, LengthUnit fileUnit, NameTaken taken,
                    QWidget* parent = nullptr);

  // What every length is multiplied by; empty while the model scale's N is
  // not a number, or the factor is outside kLeastScaleFactor..kMostScaleFactor.
  std::optional<double> factor() const;
  // The unit the scaled engine's lengths are in.
  LengthUnit unit() const;
  // The name typed, or the one suggested: the engine's name with the scale
  // after it, shortened to 29 characters and numbered so that no stored
  // engine has it.
  QString name() const;
  // The user asked to copy the scaled engine into a data file of its unit.
  bool copyAsked() const { return !ChBCopy->isHidden() && ChBCopy->isChecked(); }

  QButtonGroup* presets;
  QLineEdit* EdScale;
  QLineEdit* EdNewName;
  QLabel* LbFactor;
  QLabel* LbUnit;
  QCheckBox* ChBCopy;
  QDialogButtonBox* Buttons;

 private:
  QRadioButton* AddPreset(int id, const QString& caption);
  // The factor shown, OK allowed only with one, the unit's note and the
  // suggested name unless the user has typed a name.
  void Update();
  void ShowUnitNote();
  QString Suffix() const;

  QString engineName_;
  LengthUnit unit_;
  LengthUnit fileUnit_;
  NameTaken taken_;
  bool nameTyped_ = false;
};
