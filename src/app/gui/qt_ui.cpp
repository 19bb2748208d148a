#include "app/gui/qt_ui.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <exception>

#include "app/gui/qstring.h"
#include "platform/ui/control_names.h"

namespace morvane::gui {
namespace {

QObject* FindBelow(QObject* parent, const QString& name) {
  for (QObject* child : parent->children()) {
    if (child->objectName() == name) return child;
  }
  for (QObject* child : parent->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    // Another window's controls are that window's own; menus are popups
    // that belong to their window.
    if (widget != nullptr && widget->isWindow() && qobject_cast<QMenu*>(widget) == nullptr) {
      continue;
    }
    if (QObject* found = FindBelow(child, name)) return found;
  }
  return nullptr;
}

}  // namespace

QObject* FindControl(QWidget* window, std::string_view name) {
  if (window == nullptr) return nullptr;
  const QString object_name = FromUtf8(name);
  if (window->objectName() == object_name) return window;
  return FindBelow(window, object_name);
}

class QtUi::QtWindow : public ui::Window {
 public:
  QtWindow(QtUi* owner, std::string name, QWidget* window, std::function<void()> unload)
      : owner_(owner), name_(std::move(name)), window_(window), unload_(std::move(unload)) {}

  void SetCaption(std::string_view control, std::string_view text) override {
    QObject* target = Find(control);
    if (target == nullptr) return;
    const QString caption = FromUtf8(text);
    if (auto* label = qobject_cast<QLabel*>(target)) {
      // Runs set the same text over and over; only a change costs a repaint.
      if (label->text() != caption) label->setText(caption);
    } else if (auto* frame = qobject_cast<QGroupBox*>(target)) {
      frame->setTitle(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
      button->setText(caption);
    } else if (auto* action = qobject_cast<QAction*>(target)) {
      action->setText(caption);
    }
  }

  void SetVisible(std::string_view control, bool visible) override {
    QObject* target = Find(control);
    if (target == window_) return;  // the window itself: Show / Hide
    if (auto* widget = qobject_cast<QWidget*>(target)) {
      widget->setVisible(visible);
    } else if (auto* action = qobject_cast<QAction*>(target)) {
      action->setVisible(visible);
    }
  }

  void SetValue(std::string_view control, double value) override {
    auto* bar = qobject_cast<QProgressBar*>(Find(control));
    if (bar == nullptr) return;
    const double held = std::isnan(value) ? 0.0 : std::clamp(value, 0.0, 100.0);
    // QProgressBar paints itself at once when its value shows differently;
    // its paint waits for the cadence like any other (enabling updates
    // again schedules it).
    bar->setUpdatesEnabled(false);
    bar->setValue(static_cast<int>(std::lround(held)));
    bar->setUpdatesEnabled(true);
  }

  void Show() override {
    if (window_) window_->show();
  }
  void Hide() override {
    if (window_) window_->hide();
  }
  void Unload() override {
    if (!window_) return;
    if (unload_) {
      unload_();
    } else {
      window_->hide();
    }
  }
  void Repaint() override {
    if (!window_) return;
    if (owner_->PaintDue()) {
      window_->repaint();
    } else {
      window_->update();  // painted by the next Yield
    }
  }

 private:
  // The window's listed control named `name`.
  QObject* Find(std::string_view name) {
    if (!window_) return nullptr;
    auto it = controls_.find(name);
    if (it != controls_.end() && it->second) return it->second;
    if (!ui::IsControlOf(name_, name)) return nullptr;
    QObject* found = FindControl(window_, name);
    if (found != nullptr) controls_[std::string(name)] = found;
    return found;
  }

  QtUi* owner_;
  std::string name_;
  QPointer<QWidget> window_;
  std::function<void()> unload_;
  std::map<std::string, QPointer<QObject>, std::less<>> controls_;
};

QtUi::QtUi(QWidget* dialog_parent, MessageBoxFunction message_box)
    : dialog_parent_(dialog_parent), message_box_(std::move(message_box)),
      nowhere_(std::make_unique<QtWindow>(this, std::string(), nullptr, nullptr)) {}

QtUi::~QtUi() = default;

void QtUi::AddWindow(std::string_view name, QWidget* window, std::function<void()> unload) {
  windows_[std::string(name)] =
      std::make_unique<QtWindow>(this, std::string(name), window, std::move(unload));
}

ui::Window& QtUi::GetWindow(std::string_view name) {
  auto it = windows_.find(name);
  return it == windows_.end() ? *nowhere_ : *it->second;
}

ui::Answer QtUi::ShowMessage(const ui::Message& message) {
  return message_box_(dialog_parent_, message);
}

ui::Answer QtUi::ShowMessageWithIdleWork(const ui::Message& message,
                                         const std::function<void()>& idle_work) {
  std::exception_ptr failed;
  QTimer idle;
  idle.setSingleShot(true);
  if (idle_work) {
    QObject::connect(&idle, &QTimer::timeout, [&] {
      try {
        idle_work();
      } catch (...) {
        failed = std::current_exception();
      }
    });
    idle.start(kIdleDelay);
  }
  const ui::Answer answer = ShowMessage(message);
  if (failed) std::rethrow_exception(failed);
  return answer;
}

bool QtUi::PaintDue() {
  const auto now = std::chrono::steady_clock::now();
  if (now - std::max(last_paint_, last_yield_) < kCadence) return false;
  last_paint_ = now;
  return true;
}

void QtUi::Yield() {
  // A run yields at every progress display, thousands of times a minute;
  // painting more often than the eye can follow only slows the run down.
  const auto now = std::chrono::steady_clock::now();
  if (now - last_yield_ < kCadence) return;
  last_yield_ = now;
  QCoreApplication::processEvents();
}

}  // namespace morvane::gui
