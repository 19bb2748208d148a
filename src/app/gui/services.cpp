#include "app/gui/services.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <vector>

#include "app/gui/qstring.h"
#include "platform/files/files.h"

namespace morvane::gui {
namespace {

struct ButtonAnswer {
  QMessageBox::StandardButton button;
  ui::Answer answer;
};

std::vector<ButtonAnswer> ButtonsOf(ui::Buttons buttons) {
  switch (buttons) {
    case ui::Buttons::kYesNo:
      return {{QMessageBox::Yes, ui::Answer::kYes}, {QMessageBox::No, ui::Answer::kNo}};
    case ui::Buttons::kYesNoCancel:
      return {{QMessageBox::Yes, ui::Answer::kYes},
              {QMessageBox::No, ui::Answer::kNo},
              {QMessageBox::Cancel, ui::Answer::kCancel}};
    case ui::Buttons::kOk:
      break;
  }
  return {{QMessageBox::Ok, ui::Answer::kOk}};
}

QMessageBox::Icon IconOf(ui::Icon icon) {
  switch (icon) {
    case ui::Icon::kCritical: return QMessageBox::Critical;
    case ui::Icon::kQuestion: return QMessageBox::Question;
    case ui::Icon::kExclamation: return QMessageBox::Warning;
    case ui::Icon::kInformation: return QMessageBox::Information;
    case ui::Icon::kNone: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

Services Services::Desktop() {
  return Services{ShowQtMessageBox, ChooseFileWithQtDialog,
                  [] { QCoreApplication::exit(0); }};
}

ui::Answer ShowQtMessageBox(QWidget* parent, const ui::Message& message) {
  QMessageBox box(parent);
  box.setWindowTitle(FromUtf8(message.title.empty() ? kApplicationTitle
                                                    : std::string_view(message.title)));
  box.setText(FromUtf8(message.text));
  box.setIcon(IconOf(message.icon));
  const std::vector<ButtonAnswer> buttons = ButtonsOf(message.buttons);
  QMessageBox::StandardButtons standard;
  for (const auto& b : buttons) standard |= b.button;
  box.setStandardButtons(standard);
  const std::size_t default_index =
      message.default_button >= 0 &&
              static_cast<std::size_t>(message.default_button) < buttons.size()
          ? static_cast<std::size_t>(message.default_button)
          : 0;
  box.setDefaultButton(buttons[default_index].button);
  const int chosen = box.exec();
  for (const auto& b : buttons) {
    if (chosen == b.button) return b.answer;
  }
  return buttons.back().answer;
}

std::optional<std::string> ChooseFileWithQtDialog(QWidget* parent,
                                                  const FileRequest& request) {
  QFileDialog dialog(parent, FromUtf8(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(QtNameFilter(request.filter));
  if (!request.file_name.empty()) {
    // Start where the current file is, matched without regard to case.
    const auto current = files::ResolveForWrite(files::FromSetting(request.file_name));
    dialog.setDirectory(QString::fromStdString(current.parent_path().string()));
    dialog.selectFile(QString::fromStdString(current.filename().string()));
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return ToUtf8(chosen.front());
}

QString QtNameFilter(std::string_view filter) {
  const QString text = FromUtf8(filter);
  const qsizetype bar = text.lastIndexOf(u'|');
  if (bar < 0) return text.trimmed();
  const QString description = text.left(bar).trimmed();
  QStringList patterns;
  for (const QString& pattern : text.mid(bar + 1).split(u' ', Qt::SkipEmptyParts)) {
    patterns << pattern;
    if (pattern.toUpper() != pattern) patterns << pattern.toUpper();
  }
  return description + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

}  // namespace morvane::gui
