// The splash window shown during start-up: title, locomotive picture and a
// dedication.
#pragma once

#include <QLabel>
#include <QWidget>

class TSplashForm : public QWidget {
 public:
  explicit TSplashForm(QWidget* parent = nullptr);
  QLabel* Label1;
  QLabel* Image1;
  QLabel* Label2;
};
