// The rocker-types window: the two rocker pictures and "OK", shown modally.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

class TRockerForm : public QDialog {
 public:
  explicit TRockerForm(QWidget* parent = nullptr);
  void OKBtnClick() { reject(); }

  QLabel* ImageA;
  QLabel* ImageB;
  QPushButton* OKBtn;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
