// The status window as a run uses it: shown before its labels have text,
// then written; its texts are never cut, and it stays open during a run.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QTest>

#include "fake_desktop.h"

namespace morvane::gui::testing {
namespace {

class StatusWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Start();
    status_ = Control<QWidget>(window_.get(), "frmStatus");
  }
  // Shown as the run driver shows it: first, before any label has text.
  ui::Window& ShowEmpty() {
    ui::Window& status = window_->WindowsUi().GetWindow(ui::kStatusWindow);
    status.Unload();
    status.Show();
    QApplication::processEvents();
    return status;
  }
  void Settle() {
    status_->layout()->activate();
    QApplication::processEvents();
  }

  QWidget* status_ = nullptr;
};

TEST_F(StatusWindowTest, TheWidestTextsAreShownWhole) {
  ui::Window& status = ShowEmpty();
  const std::pair<const char*, std::string> texts[] = {
      {"lblDateTimeStart", text::GeneralDateTime({2026, 12, 7, 20, 57, 20})},
      {"lblTotalRecords", "123,456,789"},
      {"lblRecordCount", "123,456,789"},
      {"lblFileSize", "4,294,967,296"},
      {"lblAmtProcessed", "4,294,967,296"},
      {"lblPercentCompleted", "  100.0"},
      {"lblStepCurrent", " 42"},
      {"lblStepTotal", "42"},
  };
  for (const auto& [label, text] : texts) status.SetCaption(label, text);
  status.SetCaption("lblStatus",
                    "Populating 'IntlAlocFrequency' table with  < INTL_ALOC_FREQUENCY.dat >  data !");
  Settle();
  for (const auto& [label, text] : texts) {
    auto* shown = Control<QLabel>(status_, label);
    EXPECT_GE(shown->contentsRect().width(), shown->fontMetrics().horizontalAdvance(shown->text()))
        << label << " cuts " << text;
  }
  auto* line = Control<QLabel>(status_, "lblStatus");
  EXPECT_GE(line->contentsRect().width(), line->fontMetrics().horizontalAdvance(line->text()))
      << "the longest loader text runs over one line";
}

TEST_F(StatusWindowTest, FourLinesOfStatusLeaveTheValueFramesWhole) {
  ui::Window& status = ShowEmpty();
  status.SetCaption("lblRecordCount", "1,234");
  Settle();
  const char* const kFrames[] = {"fraTotalRecords", "fraRecordCount", "fraDateTimeStart",
                                 "fraFileSize", "fraAmtProcessed", "fraPercentCompleted"};
  std::vector<int> heights;
  for (const char* frame : kFrames) heights.push_back(Control<QGroupBox>(status_, frame)->height());

  status.SetCaption("lblStatus",
                    "Compacting DALK database !\nCurrent file size (bytes):   4,294,967,296"
                    "\n\nPlease wait . . . . ");
  Settle();
  for (std::size_t i = 0; i < heights.size(); ++i) {
    auto* frame = Control<QGroupBox>(status_, kFrames[i]);
    EXPECT_EQ(frame->height(), heights[i]) << kFrames[i];
    EXPECT_GE(frame->height(), frame->sizeHint().height()) << kFrames[i];
  }
  auto* line = Control<QLabel>(status_, "lblStatus");
  EXPECT_GE(line->height(), line->heightForWidth(line->width())) << "a line of the status is cut";
}

TEST_F(StatusWindowTest, ItCannotBeClosedDuringARun) {
  ShowEmpty();
  window_->SetRunInProgress(true);
  EXPECT_FALSE(status_->close());
  QTest::keyClick(status_, Qt::Key_Escape);
  EXPECT_TRUE(status_->isVisible());

  window_->SetRunInProgress(false);
  QTest::keyClick(status_, Qt::Key_Escape);
  EXPECT_FALSE(status_->isVisible());
  ShowEmpty();
  EXPECT_TRUE(status_->close());
  EXPECT_FALSE(status_->isVisible());
}

}  // namespace
}  // namespace morvane::gui::testing
