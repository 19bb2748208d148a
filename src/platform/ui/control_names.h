// The one list of the controls that code outside the windows reaches by
// name through ui::Window, window by window.
//
// The Qt windows give their controls these names (a test holds each window
// to its list) and QtUi reaches no control that is not listed; RecordingUi
// refuses any other name, so a misspelled name fails the tests of the code
// that uses it instead of being ignored.
#pragma once

#include <span>
#include <string_view>

#include "platform/ui/ui.h"

namespace morvane::ui {

// frmMorvane: the controls a run writes, and the window's other fixed parts.
inline constexpr std::string_view kMainWindowControls[] = {
    "Label7", "fraVersionDate", "lblVersionDate", "cmdConvert", "cmdExit", "lblStatus",
};

// frmStatus: six frames with their value labels, the progress bar, the
// status text and the step line.
inline constexpr std::string_view kStatusWindowControls[] = {
    "fraTotalRecords", "lblTotalRecords", "fraRecordCount",      "lblRecordCount",
    "fraDateTimeStart", "lblDateTimeStart", "fraFileSize",       "lblFileSize",
    "fraAmtProcessed", "lblAmtProcessed", "fraPercentCompleted", "lblPercentCompleted",
    "ProgressBar1",    "lblStatus",       "Label1",              "lblStepCurrent",
    "Label2",          "lblStepTotal",
};

// frmMkKtbDbS and frmAddDalkTbl: three frames with their value labels.
inline constexpr std::string_view kSchemaFormControls[] = {
    "fraDBName", "lblDataBaseName", "fraTableName", "lblTableName", "fraAction", "lblAction",
};

// The listed controls of `window` (kMainWindow, kStatusWindow, kTargetForm or
// kStagingForm); empty for any other name.
std::span<const std::string_view> ControlsOf(std::string_view window);

// True when `window` is one of the windows above and `control` one of its
// listed controls.
bool IsControlOf(std::string_view window, std::string_view control);

}  // namespace morvane::ui
