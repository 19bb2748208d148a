#include "fake_desktop.h"

#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <fstream>
#include <sstream>

namespace morvane::gui::testing {

QString CaptionOf(QObject* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* frame = qobject_cast<QGroupBox*>(control)) return frame->title();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  if (auto* menu = qobject_cast<QMenu*>(control)) return menu->title();
  if (auto* action = qobject_cast<QAction*>(control)) return action->text();
  if (auto* widget = qobject_cast<QWidget*>(control)) return widget->windowTitle();
  return {};
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace morvane::gui::testing
