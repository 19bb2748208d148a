#include "app/gui/status_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <span>

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

// The widest texts that each value label shows: the window is sized for
// them before any of them is set.
const char* const kWidestCounts[] = {"888,888,888"};
const char* const kWidestSizes[] = {"8,888,888,888"};
const char* const kWidestDates[] = {"12/28/2088 10:58:58 AM", "12/28/2088 10:58:58 PM"};
const char* const kWidestPercents[] = {"  100.0"};
// The longest lines of status text that a run shows.
const char* const kWidestStatusLines[] = {
    "Populating 'IntlAlocFrequency' table with  < INTL_ALOC_FREQUENCY.dat >  data !",
    "Finished processing  <  INTL_ALOC_FREQUENCY.dat  >  data !",
    "Compressed file size: 8,888,888,888  |  Compression ratio: 100.0",
    "Processing 'LiceEinKwdTable' data !  Please wait . . . .",
};
constexpr int kStatusLines = 4;  // the compaction texts run over four lines

struct WidestTexts {
  const char* label;
  std::span<const char* const> texts;
};
const WidestTexts kWidest[] = {
    {"lblTotalRecords", kWidestCounts},      {"lblRecordCount", kWidestCounts},
    {"lblDateTimeStart", kWidestDates},      {"lblFileSize", kWidestSizes},
    {"lblAmtProcessed", kWidestSizes},       {"lblPercentCompleted", kWidestPercents},
    {"lblStatus", kWidestStatusLines},
};

// The width that `label` needs for the widest of `texts` on one line.
int WidthFor(const QLabel& label, std::span<const char* const> texts) {
  int width = 0;
  for (const char* text : texts) {
    width = std::max(width, label.fontMetrics().horizontalAdvance(QString::fromLatin1(text)));
  }
  const QMargins margins = label.contentsMargins();
  return width + margins.left() + margins.right() + 2 * label.margin() + 2;
}

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
    // A long status text takes room from the window, never from the values.
    frame->setSizePolicy(frame->sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
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
  status->setMinimumHeight(kStatusLines * status->fontMetrics().lineSpacing() +
                           status->contentsMargins().top() + status->contentsMargins().bottom());

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

  for (const WidestTexts& widest : kWidest) {
    auto* label = findChild<QLabel*>(QString::fromLatin1(widest.label));
    label->setMinimumWidth(WidthFor(*label, widest.texts));
  }
}

void StatusWindow::reject() {
  if (!run_in_progress_) Form::reject();
}

void StatusWindow::closeEvent(QCloseEvent* event) {
  if (run_in_progress_) {
    event->ignore();
  } else {
    Form::closeEvent(event);
  }
}

void StatusWindow::ResetControls() {
  Form::ResetControls();
  progress_->setValue(0);
}

}  // namespace morvane::gui
