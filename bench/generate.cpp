// bench-generate: writes a synthetic export with the user's databases that
// belong with it (SQL rows in DIR/databases/, see bench/lib/user_databases.h),
// or checks an export folder.
//
//   bench-generate --out DIR [--filings N] [--seed S] [--bad K]
//                  [--sites-per-filing X] [--antennas-per-site X]
//                  [--frequencies-per-antenna X]
//   bench-generate --check DIR
//
// Writing prints the records of each file and the totals. --bad K adds K
// deliberately bad records (too few fields, a text too long, a number out
// of range, an unreadable date, a last record without its end mark).
// --check reads every data set file of DIR and prints its records and the
// records a loader would reject; it exits 1 when a file is missing or a
// record would be rejected.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "bench/lib/export_check.h"
#include "bench/lib/export_generator.h"
#include "bench/lib/user_databases.h"

namespace {

using morvane::bench::GeneratorOptions;

constexpr const char* kUsage =
    "usage: bench-generate --out DIR [--filings N] [--seed S] [--bad K]\n"
    "                      [--sites-per-filing X] [--antennas-per-site X]\n"
    "                      [--frequencies-per-antenna X]\n"
    "       bench-generate --check DIR\n";

[[noreturn]] void Usage(const std::string& problem) {
  std::fprintf(stderr, "bench-generate: %s\n%s", problem.c_str(), kUsage);
  std::exit(2);
}

double NumberArgument(std::string_view option, const char* text) {
  char* end = nullptr;
  const double value = std::strtod(text, &end);
  if (end == text || *end != '\0') Usage(std::string(option) + " needs a number, not " + text);
  return value;
}

std::uint64_t WholeArgument(std::string_view option, std::string_view text) {
  std::uint64_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size())
    Usage(std::string(option) + " needs a whole number, not " + std::string(text));
  return value;
}

int Check(const std::string& dir) {
  bool clean = true;
  std::int64_t records = 0, rejected = 0;
  std::printf("%-26s %10s %9s %12s %s\n", "file", "records", "rejected", "bytes", "line ends");
  for (const auto& file : morvane::bench::CheckExport(dir)) {
    if (!file.present) {
      std::printf("%-26s missing\n", file.file.c_str());
      clean = false;
      continue;
    }
    const char* ends = file.crlf_lines && file.lf_lines ? "mixed" : file.crlf_lines ? "CRLF" : "LF";
    std::printf("%-26s %10lld %9lld %12lld %s\n", file.file.c_str(),
                static_cast<long long>(file.records), static_cast<long long>(file.rejected),
                static_cast<long long>(file.bytes), ends);
    for (const std::string& reason : file.reasons) std::printf("    %s\n", reason.c_str());
    records += file.records;
    rejected += file.rejected;
    if (file.rejected > 0) clean = false;
  }
  std::printf("total: %lld records, %lld rejected\n", static_cast<long long>(records),
              static_cast<long long>(rejected));
  return clean ? 0 : 1;
}

int Generate(const std::string& dir, const GeneratorOptions& options) {
  const auto summary = morvane::bench::GenerateExport(dir, options);
  std::printf("%-26s %10s %5s\n", "file", "records", "bad");
  for (const auto& file : summary.files)
    std::printf("%-26s %10lld %5lld\n", file.file.c_str(), static_cast<long long>(file.records),
                static_cast<long long>(file.bad_records));
  const auto db = morvane::bench::WriteUserDatabaseSql(dir);
  std::printf("databases/: A %lld, B %lld, C %lld, D %lld, E %lld entries, %lld known sites, "
              "%lld registrants\n",
              static_cast<long long>(db.a), static_cast<long long>(db.b), static_cast<long long>(db.c),
              static_cast<long long>(db.d), static_cast<long long>(db.e),
              static_cast<long long>(db.ant_site_info), static_cast<long long>(db.registrants));
  std::printf("filings: %lld\nrecords: %lld\nbad records: %lld\nconversion rows: %lld\n",
              static_cast<long long>(summary.filings), static_cast<long long>(summary.records),
              static_cast<long long>(summary.bad_records),
              static_cast<long long>(summary.conversion_rows));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  GeneratorOptions options;
  std::string out, check;
  for (int i = 1; i < argc; ++i) {
    const std::string_view option = argv[i];
    if (option == "--help" || option == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (i + 1 >= argc) Usage(std::string(option) + " needs a value");
    const char* value = argv[++i];
    if (option == "--out") out = value;
    else if (option == "--check") check = value;
    else if (option == "--filings") options.filings = static_cast<std::int64_t>(WholeArgument(option, value));
    else if (option == "--seed") options.seed = WholeArgument(option, value);
    else if (option == "--bad") options.bad_records = static_cast<int>(std::min<std::uint64_t>(WholeArgument(option, value), 1'000'000));
    else if (option == "--sites-per-filing") options.sites_per_filing = NumberArgument(option, value);
    else if (option == "--antennas-per-site") options.antennas_per_site = NumberArgument(option, value);
    else if (option == "--frequencies-per-antenna") options.frequencies_per_antenna = NumberArgument(option, value);
    else Usage("unknown option " + std::string(option));
  }
  if (out.empty() == check.empty()) Usage("give either --out or --check");
  try {
    return check.empty() ? Generate(out, options) : Check(check);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "bench-generate: %s\n", e.what());
    return 1;
  }
}
