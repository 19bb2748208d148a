// frmStatus: the progress of a conversion run. It has no logic of its own:
// the run writes its controls through the ui::Window of the same name.
//
//   fraTotalRecords/lblTotalRecords    fraRecordCount/lblRecordCount
//   fraDateTimeStart/lblDateTimeStart  fraFileSize/lblFileSize
//   fraAmtProcessed/lblAmtProcessed    fraPercentCompleted/lblPercentCompleted
//   ProgressBar1 (0..100)  lblStatus  Label1 lblStepCurrent Label2 lblStepTotal
//
// It is sized for the widest texts its labels show (a date and time with its
// AM/PM, nine-digit counts, the longest status line) and for four lines of
// status text, before any of them is set, so that no text is cut and the
// value frames keep their height. During a run it cannot be closed: hiding
// it would hide the run's progress for good.
#pragma once

#include "app/gui/form.h"

class QCloseEvent;
class QProgressBar;

namespace morvane::gui {

class StatusWindow : public Form {
  Q_OBJECT

 public:
  explicit StatusWindow(QWidget* parent);

  // While a run is in progress, closing the window (its close button or
  // Escape) is refused; Unload still hides it.
  void SetRunInProgress(bool running) { run_in_progress_ = running; }

 public slots:
  void reject() override;

 protected:
  // Also puts the progress bar back to 0.
  void ResetControls() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QProgressBar* progress_ = nullptr;
  bool run_in_progress_ = false;
};

}  // namespace morvane::gui
