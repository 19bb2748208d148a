#include "app/gui/path_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

#include "platform/text/text.h"

namespace morvane::gui {

ui::Message SettingsNotWritten(const app::SettingsFile& settings) {
  ui::Message message;
  message.text = "The settings file " + settings.DiskPath().string() +
                 " could not be written: the choice is not kept.";
  message.icon = ui::Icon::kExclamation;
  return message;
}

PathDialog::PathDialog(QWidget* parent, const char* name, const QString& caption,
                       engine::RunPaths& paths, const app::SettingsFile& settings,
                       const Services& services)
    : Form(parent, name, caption), paths_(paths), settings_(settings),
      services_(services) {}

QGroupBox* PathDialog::NewPathFrame(const char* frame_name, const QString& caption,
                                    const char* label_name, const char* button_name,
                                    const QString& button_caption, QLabel** label,
                                    std::function<void()> on_click) {
  QGroupBox* frame = NewFrame(frame_name, caption, label_name, label);
  (*label)->setMinimumWidth(420);
  (*label)->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPushButton* button = NewButton(button_name, button_caption, std::move(on_click));
  button->setParent(frame);
  frame->layout()->addWidget(button);
  return frame;
}

QPushButton* PathDialog::NewButton(const char* name, const QString& caption,
                                   std::function<void()> on_click) {
  auto* button = new QPushButton(caption, this);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, std::move(on_click));
  return button;
}

void PathDialog::Browse(const FileRequest& request, std::string& path, QLabel* label) {
  const std::string chosen = services_.choose_file(this, request).value_or(request.file_name);
  path = text::ToLower(text::Trim(chosen));
  label->setText(FromUtf8(path));
}

void PathDialog::WarnNotWritten() { services_.message_box(this, SettingsNotWritten(settings_)); }

}  // namespace morvane::gui
