// The program's own name, the title of its message boxes.
#pragma once

namespace morvane::engine {

inline constexpr const char* kProgramTitle = "Morvane";

}  // namespace morvane::engine
