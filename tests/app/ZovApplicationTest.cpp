// The application's error display: an exception leaving any event handler is
// shown with its text and the event loop carries on with the next event.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <stdexcept>

#include "QtPrompter.h"
#include "Reaction.h"
#include "ScriptedPrompter.h"

namespace {

class Thrower : public QObject {
 public:
  int handled = 0;
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    if (++handled == 1) throw std::runtime_error("the first event fails");
    return true;
  }
};

}  // namespace

TEST(ZovApplicationTest, AnEscapedErrorIsShownAndTheLoopGoesOn) {
  ScriptedPrompter prompter;
  SetAppPrompter(&prompter);
  Thrower target;
  QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
  QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  EXPECT_EQ(target.handled, 2);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_EQ(prompter.shown[0], (ScriptedPrompter::Box{"Vardenlyke Zovuderiz", "the first event fails"}));

  // A reaction's own error stops only that reaction.
  int ran = 0;
  Reaction([&] {
    ++ran;
    throw std::runtime_error("'x' is not a valid floating point value");
  })();
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(prompter.shown.back().text, "'x' is not a valid floating point value");
  SetAppPrompter(nullptr);
}
