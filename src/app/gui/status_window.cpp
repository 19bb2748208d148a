#include "app/gui/status_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace morvane::gui {
namespace {

struct FrameRow {
  const char* frame;
  const char* caption;
  const char* label;
};

// Two rows of three frames, left to right.
constexpr FrameRow kFrames[] = {
    {"fraTotalRecords", "Total Records:", "lblTotalRecords"},
    {"fraRecordCount", "Record Count: ", "lblRecordCount"},
    {"fraDateTimeStart", "Running Since: ", "lblDateTimeStart"},
    {"fraFileSize", "File Size (bytes): ", "lblFileSize"},
    {"fraAmtProcessed", "Amt Processed (bytes): ", "lblAmtProcessed"},
    {"fraPercentCompleted", "% Completed: ", "lblPercentCompleted"},
};

QLabel* NewCaption(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

}  // namespace

StatusWindow::StatusWindow(QWidget* parent) : Form(parent, "frmStatus", "Status") {
  auto* grid = new QGridLayout;
  int index = 0;
  for (const FrameRow& row : kFrames) {
    QGroupBox* frame = NewFrame(row.frame, QString::fromLatin1(row.caption), row.label);
    frame->setMinimumWidth(150);
    grid->addWidget(frame, index / 3, index % 3);
    ++index;
  }

  progress_ = new QProgressBar(this);
  progress_->setObjectName("ProgressBar1");
  progress_->setRange(0, 100);
  progress_->setTextVisible(false);

  QLabel* status = NewValueLabel("lblStatus");
  status->setWordWrap(true);
  status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  status->setMinimumHeight(3 * status->fontMetrics().height());

  auto* steps = new QHBoxLayout;
  steps->addWidget(NewCaption(this, "Label1", "Step:"));
  auto step_label = [this](const char* name) {
    QLabel* step = NewValueLabel(name);
    step->setMinimumWidth(step->fontMetrics().horizontalAdvance(QStringLiteral("000")));
    return step;
  };
  steps->addWidget(step_label("lblStepCurrent"));
  steps->addWidget(NewCaption(this, "Label2", "of"));
  steps->addWidget(step_label("lblStepTotal"));
  steps->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(progress_);
  layout->addWidget(status);
  layout->addLayout(steps);
  setMinimumWidth(480);
}

void StatusWindow::ResetControls() {
  Form::ResetControls();
  progress_->setValue(0);
}

}  // namespace morvane::gui
