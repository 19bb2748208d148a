#include "app/preflight.h"

#include <filesystem>

#include "convert/ant_site_databases.h"
#include "loaders/loader_registry.h"
#include "platform/files/files.h"
#include "platform/files/same_file.h"
#include "platform/text/text.h"
#include "run/program.h"
#include "run/user_database.h"

namespace morvane::app {
namespace {

// A file the run reads: the path it opens and how a message names it.
struct RunInput {
  std::filesystem::path file;
  std::string what;  // "the data set file site.dat of the export (/x/site.dat)"
};

std::vector<RunInput> RunInputs(const engine::RunContext& run) {
  std::vector<RunInput> inputs;
  for (const loaders::LoaderDef* loader : loaders::AllLoaders()) {
    const std::filesystem::path file = run.InputFile(loader->file);
    inputs.push_back({file, "the data set file " + loader->file + " of the export (" + file.string() + ")"});
  }
  for (const engine::UserDatabase& database : convert::AntSiteDatabasesToCheck(run.paths())) {
    const std::string named = text::Trim(database.path);
    if (named.empty() || text::EqualsIgnoreCase(named, "NONE")) continue;
    const std::filesystem::path file = engine::UserDatabaseFile(database.path);
    inputs.push_back({file, (database.setting.empty() ? "the registration-number database"
                                                      : "the database of the setting " + database.setting) +
                                " (" + file.string() + ")"});
  }
  return inputs;
}

std::optional<Refusal> OutputIsAnInput(const engine::RunContext& run) {
  const std::filesystem::path output = run.OutputFile();
  for (const RunInput& input : RunInputs(run)) {
    if (!files::SameFile(output, input.file)) continue;
    return Refusal{"the output database is " + input.what + ".",
                   "The output database " + text::Trim(run.paths().output) + " is " + input.what +
                       ".\r\n\r\nConvert deletes its output database and builds it anew, which would destroy "
                       "that file. Choose another output database under  \"Setup | Modify File Location\".",
                   ui::Icon::kCritical};
  }
  return std::nullopt;
}

}  // namespace

bool MainDataSetFound(const engine::RunPaths& paths) {
  auto found = files::Resolve(files::FromSetting(paths.table_main));
  std::error_code ec;
  return found && std::filesystem::is_regular_file(*found, ec) &&
         text::Trim(found->filename().string()) == "main.dat";
}

ui::Message MissingMainDataSetMessage() {
  ui::Message m;
  m.text = "The file 'main.dat' was not found!\r\n\r\nYou need to redefine the path to this file."
           "\r\n\r\nSelect  \"Setup | Modify File Location\"  on the menu bar.";
  m.title = engine::kProgramTitle;
  return m;
}

std::optional<Refusal> RefusalBeforeQuestion(const engine::RunContext& run) {
  if (!MainDataSetFound(run.paths()))
    return Refusal{"the file 'main.dat' was not found.", MissingMainDataSetMessage().text, ui::Icon::kNone};
  return OutputIsAnInput(run);
}

}  // namespace morvane::app
