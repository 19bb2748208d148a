// The stop signals' watcher puts back the handlers it found.
#include "platform/ui/stop_signals.h"

#include <gtest/gtest.h>

#include <csignal>

namespace morvane::ui {
namespace {

void (*HandlerOf(int signal))(int) {
  struct sigaction now {};
  ::sigaction(signal, nullptr, &now);
  return now.sa_handler;
}

TEST(StopSignalsTest, TheHandlersFromBeforeComeBackWhenTheWatcherEnds) {
  for (const int signal : {SIGTERM, SIGINT}) {
    SCOPED_TRACE(StopSignals::Name(signal));
    const auto before = HandlerOf(signal);
    {
      const StopSignals watcher;
      EXPECT_NE(HandlerOf(signal), before);
    }
    EXPECT_EQ(HandlerOf(signal), before);
  }
}

}  // namespace
}  // namespace morvane::ui
