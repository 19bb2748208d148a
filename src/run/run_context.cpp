#include "run/run_context.h"

#include "platform/files/files.h"

namespace morvane::engine {
namespace {
constexpr auto kYieldInterval = std::chrono::milliseconds(50);
}

RunContext::RunContext(ui::Ui& ui, db::Workspace& workspace, RunPaths paths)
    : ui_(ui), workspace_(workspace), paths_(std::move(paths)),
      last_yield_(std::chrono::steady_clock::now()) {}

std::filesystem::path RunContext::InputFile(const std::string& name) const {
  return files::ResolveForWrite(files::FromSetting(paths_.input_dir + name));
}

std::filesystem::path RunContext::OutputFile() const {
  return files::ResolveForWrite(files::FromSetting(paths_.output));
}

void RunContext::Yield() {
  ui_.Yield();
  last_yield_ = std::chrono::steady_clock::now();
  if (ui_.StopRequested()) throw RunStopped();
}

void RunContext::YieldIfDue() {
  if (std::chrono::steady_clock::now() - last_yield_ >= kYieldInterval) Yield();
}

ui::Answer RunContext::ShowMessage(const ui::Message& message) {
  return ui_.ShowMessageWithIdleWork(message, [this] { workspace_.Flush(); });
}

}  // namespace morvane::engine
