#include "app/gui/form.h"

#include <QGroupBox>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>
#include <QHBoxLayout>

namespace morvane::gui {

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen();
  if (screen == nullptr) return;
  const QRect area = screen->geometry();
  const QSize size = window.frameGeometry().size();
  window.move(area.x() + (area.width() - size.width()) / 2,
              area.y() + (area.height() - size.height()) / 2);
}

Form::Form(QWidget* parent, const char* name, const QString& caption)
    : QDialog(parent) {
  setObjectName(QString::fromLatin1(name));
  setWindowTitle(caption);
  setModal(false);
}

QGroupBox* Form::NewFrame(const char* frame_name, const QString& caption,
                          const char* label_name, QLabel** label) {
  auto* frame = new QGroupBox(caption, this);
  frame->setObjectName(QString::fromLatin1(frame_name));
  QLabel* value = NewValueLabel(label_name);
  value->setParent(frame);
  auto* layout = new QHBoxLayout(frame);  // room for a button beside the label
  layout->addWidget(value, 1);
  frames_ << frame;
  if (label != nullptr) *label = value;
  return frame;
}

QLabel* Form::NewValueLabel(const char* name) {
  auto* label = new QLabel(this);
  label->setObjectName(QString::fromLatin1(name));
  values_ << label;
  return label;
}

void Form::Unload() {
  hide();
  ResetControls();
  centred_ = false;
}

void Form::ResetControls() {
  for (QLabel* label : values_) label->clear();
  for (QGroupBox* frame : frames_) frame->setVisible(true);
}

void Form::showEvent(QShowEvent* event) {
  if (!centred_) {
    adjustSize();
    CentreOnScreen(*this);
    centred_ = true;
  }
  QDialog::showEvent(event);
}

}  // namespace morvane::gui
