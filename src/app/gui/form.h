// The base of the program's secondary windows: a modeless dialog named
// after its form, which centres itself on the screen when it is shown for
// the first time after it was loaded, and which can be unloaded: put back
// into its freshly loaded state (hidden) without being destroyed, so the
// object stays valid for everyone who holds it.
#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include "app/gui/qstring.h"

class QGroupBox;
class QLabel;
class QShowEvent;

namespace morvane::gui {

// Moves a top-level window to the middle of its screen.
void CentreOnScreen(QWidget& window);

class Form : public QDialog {
  Q_OBJECT

 public:
  Form(QWidget* parent, const char* name, const QString& caption);

  // Hides the window and resets its controls to their loaded state.
  void Unload();

 protected:
  // A frame (group box) named `frame_name` with its caption, holding one
  // value label named `label_name`, which is returned through `label`.
  // Both are reset by ResetControls.
  QGroupBox* NewFrame(const char* frame_name, const QString& caption,
                      const char* label_name, QLabel** label = nullptr);
  // A label that the window's users write, emptied by ResetControls.
  QLabel* NewValueLabel(const char* name);

  // Puts the controls back as they are when the window is loaded: value
  // labels empty, frames visible.
  virtual void ResetControls();
  void showEvent(QShowEvent* event) override;

 private:
  QList<QGroupBox*> frames_;
  QList<QLabel*> values_;
  bool centred_ = false;
};

}  // namespace morvane::gui
