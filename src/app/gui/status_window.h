// frmStatus: the progress of a conversion run. It has no logic of its own:
// the run writes its controls through the ui::Window of the same name.
//
//   fraTotalRecords/lblTotalRecords    fraRecordCount/lblRecordCount
//   fraDateTimeStart/lblDateTimeStart  fraFileSize/lblFileSize
//   fraAmtProcessed/lblAmtProcessed    fraPercentCompleted/lblPercentCompleted
//   ProgressBar1 (0..100)  lblStatus  Label1 lblStepCurrent Label2 lblStepTotal
#pragma once

#include "app/gui/form.h"

class QProgressBar;

namespace morvane::gui {

class StatusWindow : public Form {
  Q_OBJECT

 public:
  explicit StatusWindow(QWidget* parent);

 protected:
  // Also puts the progress bar back to 0.
  void ResetControls() override;

 private:
  QProgressBar* progress_ = nullptr;
};

}  // namespace morvane::gui
