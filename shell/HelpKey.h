// F1 anywhere in the program opens the help book at the page of the window in
// focus: each window names its page in its "helpTopic" property.
#pragma once

#include <QObject>

class HelpKey : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
