#include "bench/lib/machine_info.h"

#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string_view>

namespace morvane::bench {
namespace {

constexpr const char* kUnknown = "unknown";

// The value of the first line of `path` that starts with `key`, after the
// separator that follows the key; "" when there is none.
std::string ValueOf(const char* path, std::string_view key, char separator) {
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.starts_with(key)) continue;
    const std::size_t at = line.find(separator, key.size());
    if (at == std::string::npos) continue;
    std::string value = line.substr(at + 1);
    const std::size_t first = value.find_first_not_of(" \t\"");
    const std::size_t last = value.find_last_not_of(" \t\"");
    return first == std::string::npos ? "" : value.substr(first, last - first + 1);
  }
  return "";
}

std::string OrUnknown(std::string value) { return value.empty() ? kUnknown : value; }

}  // namespace

MachineInfo DescribeMachine() {
  MachineInfo info;
  info.cpu = OrUnknown(ValueOf("/proc/cpuinfo", "model name", ':'));
  if (ValueOf("/proc/cpuinfo", "flags", ':').find(" hypervisor") != std::string::npos)
    info.cpu += ", virtual machine";
  info.cores = static_cast<int>(::sysconf(_SC_NPROCESSORS_ONLN));

  const std::string mem_total = ValueOf("/proc/meminfo", "MemTotal", ':');  // "24682404 kB"
  if (!mem_total.empty()) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f GiB", std::stod(mem_total) / (1024.0 * 1024.0));
    info.memory = text;
  } else {
    info.memory = kUnknown;
  }

  utsname names{};
  info.kernel = ::uname(&names) == 0
                    ? std::string(names.sysname) + " " + names.release + " " + names.machine
                    : kUnknown;
  info.system = OrUnknown(ValueOf("/etc/os-release", "PRETTY_NAME", '='));
  return info;
}

}  // namespace morvane::bench
