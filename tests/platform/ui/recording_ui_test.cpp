#include "platform/ui/recording_ui.h"

#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace morvane::ui {
namespace {

using Log = std::vector<std::string>;

TEST(RecordingUi, LogsCaptionsOnOneLineAndKeepsTheirText) {
  std::ostringstream echo;
  RecordingUi ui(&echo);
  Window& status = ui.GetWindow(kStatusWindow);
  status.SetCaption("lblStatus", "Populating KTB tables.\r\nPlease wait . . . . ");
  status.SetCaption("lblStepTotal", "42");
  ui.GetWindow(kTargetForm).SetCaption("lblAction", "Creating Tables . . . .");
  status.SetValue("ProgressBar1", 12.5);  // values and visibility are not logged
  status.SetVisible("fraFileSize", false);

  const Log expected = {
      "frmStatus.lblStatus = Populating KTB tables.\\nPlease wait . . . . ",
      "frmStatus.lblStepTotal = 42",
      "frmMkKtbDbS.lblAction = Creating Tables . . . .",
  };
  EXPECT_EQ(ui.Log(), expected);
  EXPECT_EQ(echo.str(), expected[0] + "\n" + expected[1] + "\n" + expected[2] + "\n");
  EXPECT_EQ(ui.Caption(kStatusWindow, "lblStatus"),
            "Populating KTB tables.\r\nPlease wait . . . . ");
  EXPECT_EQ(ui.Caption(kTargetForm, "lblAction"), "Creating Tables . . . .");
  EXPECT_EQ(ui.Value(kStatusWindow, "ProgressBar1"), 12.5);
  EXPECT_FALSE(ui.Visible(kStatusWindow, "fraFileSize"));
  EXPECT_EQ(&ui.GetWindow(kStatusWindow), &status);
}

TEST(RecordingUi, UnloadDiscardsTheWindowStateButNotItsHistory) {
  RecordingUi ui;
  Window& status = ui.GetWindow(kStatusWindow);
  EXPECT_FALSE(ui.WindowShown(kStatusWindow));
  status.SetCaption("lblRecordCount", "10");
  status.SetCaption("lblRecordCount", "20");
  status.SetVisible("fraFileSize", false);
  status.SetValue("ProgressBar1", 50);
  status.Show();
  EXPECT_TRUE(ui.WindowShown(kStatusWindow));

  status.Unload();
  EXPECT_EQ(ui.Caption(kStatusWindow, "lblRecordCount"), "");
  EXPECT_TRUE(ui.Visible(kStatusWindow, "fraFileSize"));
  EXPECT_EQ(ui.Value(kStatusWindow, "ProgressBar1"), 0);
  EXPECT_FALSE(ui.WindowShown(kStatusWindow));
  EXPECT_EQ(ui.CaptionHistory(kStatusWindow, "lblRecordCount"), (Log{"10", "20"}));

  status.Show();
  status.Hide();
  EXPECT_FALSE(ui.WindowShown(kStatusWindow));
}

TEST(RecordingUi, ControlsNeverSetReadAsFresh) {
  RecordingUi ui;
  EXPECT_EQ(ui.Caption(kMainWindow, "lblStatus"), "");
  EXPECT_TRUE(ui.Visible(kMainWindow, "cmdConvert"));
  EXPECT_EQ(ui.Value(kStatusWindow, "ProgressBar1"), 0);
  EXPECT_FALSE(ui.WindowShown(kMainWindow));
  EXPECT_TRUE(ui.CaptionHistory(kMainWindow, "lblStatus").empty());
}

// A misspelled name, or a control of another window, is an error, whether
// it is written or asked about.
TEST(RecordingUi, RefusesNamesThatAreNotListed) {
  RecordingUi ui;
  Window& status = ui.GetWindow(kStatusWindow);
  EXPECT_THROW(status.SetCaption("lblStepCurent", " 1"), std::logic_error);
  EXPECT_THROW(status.SetVisible("fraFileSise", false), std::logic_error);
  EXPECT_THROW(status.SetValue("ProgressBar", 5), std::logic_error);
  EXPECT_THROW(ui.GetWindow(kTargetForm).SetCaption("lblStatus", "x"), std::logic_error);
  EXPECT_THROW(ui.GetWindow("frmStatsu"), std::logic_error);
  EXPECT_THROW(ui.Caption(kStatusWindow, "lblStepCurent"), std::logic_error);
  EXPECT_THROW(ui.Visible(kMainWindow, "ProgressBar1"), std::logic_error);
  EXPECT_THROW(ui.WindowShown("frmStatsu"), std::logic_error);
  EXPECT_THROW(ui.RequestStopAtCaption(kStatusWindow, "lblStepCurent", " 1"), std::logic_error);
  EXPECT_TRUE(ui.Log().empty());
}

TEST(RecordingUi, AnswersFromTheScriptThenByDefault) {
  std::ostringstream echo;
  RecordingUi ui(&echo);
  ui.QueueAnswer(Answer::kNo);
  ui.QueueAnswer(Answer::kCancel);
  struct Step {
    Buttons buttons;
    Answer expected;
  };
  const Step steps[] = {
      {Buttons::kOk, Answer::kOk},  // a notice leaves the queued answers alone
      {Buttons::kYesNo, Answer::kNo},
      {Buttons::kYesNoCancel, Answer::kCancel},
      {Buttons::kYesNo, Answer::kYes},
      {Buttons::kYesNoCancel, Answer::kYes},
      {Buttons::kOk, Answer::kOk},
  };
  int i = 0;
  for (const Step& step : steps) {
    Message m;
    m.title = "Title " + std::to_string(i);
    m.text = "Line one\nline " + std::to_string(i++);
    m.buttons = step.buttons;
    EXPECT_EQ(ui.ShowMessage(m), step.expected) << "message " << i;
  }
  ASSERT_EQ(ui.Messages().size(), 6u);
  EXPECT_EQ(ui.Messages()[2].buttons, Buttons::kYesNoCancel);
  EXPECT_EQ(ui.Log().front(), "message [Title 0] Line one\\nline 0");
  EXPECT_EQ(ui.Log().size(), 6u);
  EXPECT_EQ(echo.str().substr(0, 35), "message [Title 0] Line one\\nline 0\n");

  RecordingUi scripted;
  scripted.QueueAnswer(Answer::kOk);
  EXPECT_EQ(scripted.ShowMessage(Message{"notice", "", Buttons::kOk}), Answer::kOk);
  EXPECT_EQ(scripted.ShowMessage(Message{"question", "", Buttons::kYesNo}), Answer::kYes);
}

TEST(RecordingUi, RefusesAnAnswerTheBoxDoesNotHave) {
  RecordingUi ui;
  ui.QueueAnswer(Answer::kCancel);
  EXPECT_THROW(ui.ShowMessage(Message{"Go on?", "", Buttons::kYesNo}), std::logic_error);
}

TEST(RecordingUi, StopsWhenAsked) {
  RecordingUi ui;
  EXPECT_FALSE(ui.StopRequested());
  ui.Yield();
  ui.RequestStopAfterYields(2);
  EXPECT_FALSE(ui.StopRequested());
  ui.Yield();
  EXPECT_FALSE(ui.StopRequested());
  ui.Yield();
  EXPECT_TRUE(ui.StopRequested());
  ui.Yield();
  EXPECT_TRUE(ui.StopRequested());
  EXPECT_EQ(ui.YieldCount(), 4u);

  RecordingUi now;
  now.RequestStopAfterYields(0);
  EXPECT_TRUE(now.StopRequested());

  RecordingUi direct;
  direct.RequestStop();
  EXPECT_TRUE(direct.StopRequested());

  RecordingUi at_caption;
  at_caption.RequestStopAtCaption(kStatusWindow, "lblStatus", "Two\nlines");
  Window& status = at_caption.GetWindow(kStatusWindow);
  status.SetCaption("lblStatus", "Two");
  status.SetCaption("lblStepCurrent", "Two\nlines");
  EXPECT_FALSE(at_caption.StopRequested());
  status.SetCaption("lblStatus", "Two\r\nlines");
  EXPECT_TRUE(at_caption.StopRequested());
}

}  // namespace
}  // namespace morvane::ui
