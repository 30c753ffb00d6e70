// The about box: program icon, product name and version from the version
// information built into the program, copyright and maker lines, "OK".
#pragma once

#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

class TStdAboutForm : public QDialog {
 public:
  explicit TStdAboutForm(QWidget* parent = nullptr);

  QFrame* Panel1;
  QLabel* ProgramIcon;
  QLabel* ProductName;
  QLabel* Version;
  QLabel* Copyright;
  QLabel* Label1;
  QPushButton* OKButton;

 private:
  void FormCreate();
};
