// Drives a modal dialog with its real widgets while its own loop runs: each step runs when
// the dialog waits with nothing queued, so every step's events reach the loop before the
// next step acts. The dialog must be gone once the steps are done; one that is still open
// a few seconds later is failed and shut with the fallback, so no test hangs.
#pragma once
#include <gtest/gtest.h>

#include <QAbstractSlider>
#include <QCheckBox>
#include <QRadioButton>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/internal.h"
#include "toolkit/toolkit.h"

namespace dialog_test {

using Step = std::function<void()>;

class Drive {
 public:
  Drive(int window, std::vector<Step> steps, Step fallback = {}) : s_(std::make_shared<State>()) {
    s_->window = window;
    s_->steps = std::move(steps);
    s_->fallback = fallback ? fallback : [window] { CloseBox(window); };
    Arm(s_);
  }
  ~Drive() { s_->dead = true; }
  bool finished() const { return s_->next >= s_->steps.size(); }

  // The user's actions on the real widgets.
  static void Click(int gadget) {
    QWidget* w = tk::detail::gadgetWidget(gadget);
    ASSERT_NE(w, nullptr) << gadget;
    // Check boxes and options take clicks on their mark and text only: click the mark.
    if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
      QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
    else
      QTest::mouseClick(w, Qt::LeftButton);
  }
  static void CloseBox(int window) {
    if (auto* r = tk::detail::window(window)) r->top->close();
  }
  static void Slide(int gadget, int value) {
    auto* s = qobject_cast<QAbstractSlider*>(tk::detail::gadgetWidget(gadget));
    ASSERT_NE(s, nullptr) << gadget;
    s->setValue(value);
  }
  // Selects the field's text and types over it (spin fields: their edit line).
  static void Type(int gadget, const std::string& text) {
    QWidget* w = tk::detail::gadgetWidget(gadget);
    ASSERT_NE(w, nullptr) << gadget;
    QLineEdit* e = qobject_cast<QLineEdit*>(w);
    if (!e) e = w->findChild<QLineEdit*>();
    ASSERT_NE(e, nullptr) << gadget;
    e->setFocus();
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    if (text.empty()) QTest::keyClick(e, Qt::Key_Delete);
    else QTest::keyClicks(e, tk::toQt(text));
  }
  static void Escape(int gadget) {
    QWidget* w = tk::detail::gadgetWidget(gadget);
    ASSERT_NE(w, nullptr) << gadget;
    QTest::keyClick(w, Qt::Key_Escape);
  }
  static void Arrow(int gadget, bool up) {
    QWidget* w = tk::detail::gadgetWidget(gadget);
    ASSERT_NE(w, nullptr) << gadget;
    QTest::keyClick(w, up ? Qt::Key_Up : Qt::Key_Down);
  }

 private:
  struct State {
    int window = -1;
    std::vector<Step> steps;
    Step fallback;
    size_t next = 0;
    bool dead = false;
  };
  static void Arm(const std::shared_ptr<State>& s) {
    tk::deferToNextWait([s] { Run(s); });
  }
  static void Later(const std::shared_ptr<State>& s, int ms) {
    QTimer::singleShot(ms, [s] {
      if (!s->dead) Arm(s);
    });
  }
  static void Run(const std::shared_ptr<State>& s) {
    if (s->dead) return;
    if (!tk::isWindow(s->window) || tk::windowHidden(s->window)) {
      if (s->next == 0) Later(s, 5);   // not open yet: the program is on its way to it
      else if (s->next < s->steps.size()) ADD_FAILURE() << "window " << s->window << " closed before step " << s->next;
      return;
    }
    if (tk::queuedEvents() > 0) {   // the loop has not taken the last step's events yet
      Later(s, 0);
      return;
    }
    if (s->next < s->steps.size()) {
      s->steps[s->next++]();
      Later(s, 0);
      return;
    }
    // Every step done and the dialog still open: give it time, then fail and shut it.
    QTimer::singleShot(3000, [s] {
      if (s->dead || !tk::isWindow(s->window) || tk::windowHidden(s->window)) return;
      ADD_FAILURE() << "window " << s->window << " still open after its steps";
      s->fallback();
    });
  }
  std::shared_ptr<State> s_;
};

}  // namespace dialog_test
