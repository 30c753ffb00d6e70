// Watches the key presses of the whole application; only F1 is taken.
#include "HelpKey.h"

#include <QKeyEvent>
#include <QWidget>

#include "HelpWindow.h"
#include "Reaction.h"

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
      !watched->isWidgetType())
    return QObject::eventFilter(watched, event);
  const QString topic = static_cast<QWidget*>(watched)->window()->property("helpTopic").toString();
  if (topic.isEmpty()) return QObject::eventFilter(watched, event);
  Reaction([&topic] { HelpWindow::ShowTopic(topic); })();
  return true;
}
