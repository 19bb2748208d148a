// What a benchmark ran on, for its results: read from /proc, uname() and
// /etc/os-release. A value that cannot be read is "unknown".
#pragma once

#include <string>

namespace morvane::bench {

struct MachineInfo {
  std::string cpu;      // model name, ", virtual machine" under a hypervisor
  int cores = 0;        // logical processors online
  std::string memory;   // "23.5 GiB"
  std::string kernel;   // "Linux 6.1.0-18-amd64 x86_64"
  std::string system;   // "Debian GNU/Linux 12 (bookworm)"
};

MachineInfo DescribeMachine();

}  // namespace morvane::bench
