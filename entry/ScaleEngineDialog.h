// The "Scale engine" dialog of the data-entry window: a factor for every length
// of the engine in the boxes, from inches to millimetres, millimetres to
// inches or a model scale 1:N, and the name the scaled engine is shown under.
#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <optional>

class ScaleEngineDialog : public QDialog {
  Q_OBJECT

 public:
  enum Preset { inchesToMillimetres, millimetresToInches, modelScale };

  // Starts on the model scale 1:8 for the engine of that name.
  ScaleEngineDialog(const QString& engineName, QWidget* parent = nullptr);

  // What every length is multiplied by; empty while the model scale's N is
  // not a number above zero.
  std::optional<double> factor() const;
  // The name typed, or the one suggested: the engine's name with the scale
  // after it, cut to 29 characters.
  QString name() const;

  QButtonGroup* presets;
  QLineEdit* EdScale;
  QLineEdit* EdNewName;
  QLabel* LbFactor;
  QDialogButtonBox* Buttons;

 private:
  QRadioButton* AddPreset(int id, const QString& caption);
  // The factor shown, OK allowed only with one, and the suggested name unless
  // the user has typed a name.
  void Update();
  QString Suffix() const;

  QString engineName_;
  bool nameTyped_ = false;
};
