#include "platform/ui/recording_ui.h"

#include <stdexcept>
#include <utility>

#include "platform/ui/control_names.h"

namespace morvane::ui {
namespace {

struct ControlState {
  std::string caption;
  bool visible = true;
  double value = 0;
};

// Line breaks ("\r\n", "\n" or "\r") written as the two characters "\n",
// so that every logged event stays on one line.
std::string OneLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\\n";
    } else {
      out += text[i];
    }
  }
  return out;
}

bool Fits(Answer answer, Buttons buttons) {
  switch (buttons) {
    case Buttons::kOk:
      return answer == Answer::kOk;
    case Buttons::kYesNo:
      return answer == Answer::kYes || answer == Answer::kNo;
    case Buttons::kYesNoCancel:
      return answer == Answer::kYes || answer == Answer::kNo || answer == Answer::kCancel;
  }
  return false;
}

void RequireWindow(std::string_view window) {
  if (ControlsOf(window).empty())
    throw std::logic_error("no window is named \"" + std::string(window) + "\"");
}

void RequireControl(std::string_view window, std::string_view control) {
  RequireWindow(window);
  if (!IsControlOf(window, control)) {
    throw std::logic_error("the window " + std::string(window) + " has no control named \"" +
                           std::string(control) + "\"");
  }
}

const char* AnswerName(Answer answer) {
  switch (answer) {
    case Answer::kOk: return "OK";
    case Answer::kYes: return "Yes";
    case Answer::kNo: return "No";
    case Answer::kCancel: return "Cancel";
  }
  return "?";
}

}  // namespace

class RecordingUi::RecordingWindow : public Window {
 public:
  RecordingWindow(RecordingUi& owner, std::string name) : owner_(owner), name_(std::move(name)) {}

  void SetCaption(std::string_view control, std::string_view text) override {
    State(control).caption.assign(text);
    owner_.Record(name_ + "." + std::string(control) + " = " + OneLine(text));
    if (!owner_.keep_history_) return;
    auto history = histories_.find(control);
    if (history == histories_.end()) {
      history = histories_.emplace(std::string(control), std::vector<std::string>()).first;
    }
    history->second.emplace_back(text);
  }
  void SetVisible(std::string_view control, bool visible) override {
    State(control).visible = visible;
  }
  void SetValue(std::string_view control, double value) override { State(control).value = value; }
  void Show() override { shown_ = true; }
  void Hide() override { shown_ = false; }
  void Unload() override {
    controls_.clear();
    shown_ = false;
  }
  void Repaint() override {}

  const ControlState* Find(std::string_view control) const {
    const auto it = controls_.find(control);
    return it == controls_.end() ? nullptr : &it->second;
  }
  std::vector<std::string> History(std::string_view control) const {
    const auto it = histories_.find(control);
    return it == histories_.end() ? std::vector<std::string>() : it->second;
  }
  bool Shown() const { return shown_; }

 private:
  ControlState& State(std::string_view control) {
    RequireControl(name_, control);
    auto it = controls_.find(control);
    if (it == controls_.end()) it = controls_.emplace(std::string(control), ControlState()).first;
    return it->second;
  }

  RecordingUi& owner_;
  std::string name_;
  bool shown_ = false;
  std::map<std::string, ControlState, std::less<>> controls_;
  std::map<std::string, std::vector<std::string>, std::less<>> histories_;  // kept over Unload
};

RecordingUi::RecordingUi(std::ostream* echo, bool keep_history)
    : echo_(echo), keep_history_(keep_history) {}
RecordingUi::~RecordingUi() = default;

Window& RecordingUi::GetWindow(std::string_view name) {
  RequireWindow(name);
  auto it = windows_.find(name);
  if (it == windows_.end()) {
    auto window = std::make_unique<RecordingWindow>(*this, std::string(name));
    it = windows_.emplace(std::string(name), std::move(window)).first;
  }
  return *it->second;
}

Answer RecordingUi::ShowMessageWithIdleWork(const Message& message,
                                            const std::function<void()>& /*idle_work*/) {
  return ShowMessage(message);
}

Answer RecordingUi::ShowMessage(const Message& message) {
  if (keep_history_) messages_.push_back(message);
  Record("message [" + OneLine(message.title) + "] " + OneLine(message.text));
  // A queued answer is meant for a question; an OK box takes it only when it
  // is OK itself, so that a notice in between does not shift the script.
  if (!answers_.empty() && (message.buttons != Buttons::kOk || answers_.front() == Answer::kOk)) {
    const Answer answer = answers_.front();
    answers_.pop_front();
    if (!Fits(answer, message.buttons)) {
      throw std::logic_error(std::string("the queued answer ") + AnswerName(answer) +
                             " does not fit the message box: " + message.text);
    }
    return answer;
  }
  return message.buttons == Buttons::kOk ? Answer::kOk : Answer::kYes;
}

void RecordingUi::Yield() { ++yields_; }

bool RecordingUi::StopRequested() const {
  return stop_requested_ || (stop_armed_ && yields_ >= stop_after_);
}

void RecordingUi::QueueAnswer(Answer answer) { answers_.push_back(answer); }

void RecordingUi::RequestStopAfterYields(std::size_t yields) {
  stop_after_ = yields_ + yields;
  stop_armed_ = true;
}

std::string RecordingUi::Caption(std::string_view window, std::string_view control) const {
  RequireControl(window, control);
  const auto it = windows_.find(window);
  if (it == windows_.end()) return {};
  const ControlState* state = it->second->Find(control);
  return state == nullptr ? std::string() : state->caption;
}

bool RecordingUi::Visible(std::string_view window, std::string_view control) const {
  RequireControl(window, control);
  const auto it = windows_.find(window);
  if (it == windows_.end()) return true;
  const ControlState* state = it->second->Find(control);
  return state == nullptr || state->visible;
}

double RecordingUi::Value(std::string_view window, std::string_view control) const {
  RequireControl(window, control);
  const auto it = windows_.find(window);
  if (it == windows_.end()) return 0;
  const ControlState* state = it->second->Find(control);
  return state == nullptr ? 0 : state->value;
}

bool RecordingUi::WindowShown(std::string_view window) const {
  RequireWindow(window);
  const auto it = windows_.find(window);
  return it != windows_.end() && it->second->Shown();
}

std::vector<std::string> RecordingUi::CaptionHistory(std::string_view window,
                                                     std::string_view control) const {
  RequireControl(window, control);
  const auto it = windows_.find(window);
  return it == windows_.end() ? std::vector<std::string>() : it->second->History(control);
}

void RecordingUi::RequestStopAtCaption(std::string_view window, std::string_view control,
                                       std::string_view caption) {
  RequireControl(window, control);
  stop_at_ = std::string(window) + "." + std::string(control) + " = " + OneLine(caption);
}

void RecordingUi::Record(std::string line) {
  if (!stop_at_.empty() && line == stop_at_) stop_requested_ = true;
  if (echo_ != nullptr) *echo_ << line << '\n' << std::flush;
  if (keep_history_) log_.push_back(std::move(line));
}

}  // namespace morvane::ui
