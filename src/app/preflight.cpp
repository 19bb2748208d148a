#include "app/preflight.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <system_error>

#include "convert/ant_site_databases.h"
#include "convert/registration_data.h"
#include "loaders/loader_registry.h"
#include "platform/files/files.h"
#include "platform/files/link_target.h"
#include "platform/files/same_file.h"
#include "platform/text/text.h"
#include "run/program.h"
#include "run/rejected_data.h"
#include "run/user_database.h"

namespace morvane::app {
namespace {

// A file the run reads: the path it opens and how a message names it.
struct RunInput {
  std::filesystem::path file;
  std::string what;  // "the data set file site.dat of the export (/x/site.dat)"
};

bool Named(const std::string& path) {
  const std::string named = text::Trim(path);
  return !named.empty() && !text::EqualsIgnoreCase(named, "NONE");
}

// How a message names a user's database: "database of the setting
// AntSite_B", or the registration-number database and what named it.
std::string DatabaseNamed(const engine::UserDatabase& database, const engine::RunPaths& paths) {
  if (!database.setting.empty()) return "database of the setting " + database.setting;
  if (!paths.registration_named_by.empty())
    return "registration-number database named by " + paths.registration_named_by;
  return "registration-number database";
}

// The files of the run that the output must not be: what it reads, the
// settings file the paths come from, and the rejected-data file it writes.
std::vector<RunInput> RunInputs(const engine::RunContext& run) {
  std::vector<RunInput> inputs;
  if (!run.paths().settings_file.empty()) {
    std::error_code ec;
    const std::filesystem::path named = files::FromSetting(run.paths().settings_file);
    const std::filesystem::path settings = std::filesystem::absolute(named, ec).lexically_normal();
    inputs.push_back({settings, "the settings file of Morvane (" + settings.string() + ")"});
  }
  const std::filesystem::path rejected = run.InputFile(engine::kRejectedDataFileName);
  inputs.push_back({rejected, "the rejected-data file baddata.txt of the export (" + rejected.string() + ")"});
  for (const loaders::LoaderDef* loader : loaders::AllLoaders()) {
    const std::filesystem::path file = run.InputFile(loader->file);
    inputs.push_back({file, "the data set file " + loader->file + " of the export (" + file.string() + ")"});
  }
  for (const engine::UserDatabase& database : convert::AntSiteDatabasesToCheck(run.paths())) {
    if (!Named(database.path)) continue;
    const std::filesystem::path file = engine::UserDatabaseFile(database.path);
    inputs.push_back({file, "the " + DatabaseNamed(database, run.paths()) + " (" + file.string() + ")"});
  }
  return inputs;
}

// A link to a file that is not there yet is built at its target: the target
// is what must not be one of the run's files.
std::optional<Refusal> OutputIsAnInput(const engine::RunContext& run) {
  const std::filesystem::path output = files::LinkTarget(run.OutputFile());
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

// Every run removes the export's baddata.txt and makes it anew: a user's
// database that the run would open under that name (so named, in another
// letter case, or through a symbolic link to it) would be destroyed.
// Another name of the same file (a hard link) loses nothing.
std::optional<Refusal> DatabaseIsTheRejectedDataFile(const engine::RunContext& run) {
  const std::filesystem::path rejected = run.InputFile(engine::kRejectedDataFileName);
  const auto is_rejected = [&](const std::filesystem::path& name) { return files::SameEntry(name, rejected); };
  for (const engine::UserDatabase& database : convert::AntSiteDatabasesToCheck(run.paths())) {
    if (!Named(database.path)) continue;
    const std::filesystem::path file = engine::UserDatabaseFile(database.path);
    const std::vector<std::filesystem::path> names = files::LinkChain(file);
    if (std::none_of(names.begin(), names.end(), is_rejected)) continue;
    const std::string what = DatabaseNamed(database, run.paths()) + " (" + file.string() + ")";
    const std::string advice = database.setting.empty()
                                   ? "Name the registration-number database itself, and run the conversion again."
                                   : "Choose the database itself under  \"Setup | Ant Site Files\", and run "
                                     "Convert again.";
    return Refusal{"the " + what + " is the rejected-data file baddata.txt of the export.",
                   "The " + what + " is the rejected-data file baddata.txt of the export (" + rejected.string() +
                       ").\r\n\r\nEvery conversion deletes that file and makes it anew, which would destroy the "
                       "database. Nothing has been changed. " + advice,
                   ui::Icon::kCritical};
  }
  return std::nullopt;
}

// An output that exists and is not a regular file (a folder, a named pipe,
// a socket, a device, also behind a link) would be deleted and replaced by a
// file. A link to nothing is fine: its target is built.
std::optional<Refusal> OutputIsNotAFile(const engine::RunContext& run) {
  const std::filesystem::path output = run.OutputFile();
  std::error_code ec;
  const std::filesystem::file_status status = std::filesystem::status(output, ec);
  if (ec || !std::filesystem::exists(status) || std::filesystem::is_regular_file(status)) return std::nullopt;
  const std::string what = files::NotARegularFile(output);
  return Refusal{"the output database " + what + ".",
                 "The output database " + text::Trim(run.paths().output) + " " + what +
                     ".\r\n\r\nConvert deletes its output database and builds a file in its place. Choose "
                     "another output database under  \"Setup | Modify File Location\".",
                 ui::Icon::kCritical};
}

Refusal RejectedDataFileRefusal(const std::filesystem::path& rejected, const std::string& what,
                                const std::string& advice) {
  return Refusal{"the rejected-data file " + rejected.string() + " " + what + ".",
                 "The rejected-data file " + rejected.string() + " " + what +
                     ".\r\n\r\nEvery conversion makes this file anew. " + advice,
                 ui::Icon::kCritical};
}

// The output database is made in its folder (where a link to it leads): a
// folder that is not there, or may not be written, would stop the run after
// the question. Convert makes no folder.
std::optional<Refusal> OutputFolderRefusal(const engine::RunContext& run) {
  std::filesystem::path folder = files::LinkTarget(run.OutputFile()).parent_path();
  if (folder.empty()) folder = ".";
  const std::string why = files::FolderNotWritable(folder);
  if (why.empty()) return std::nullopt;
  const files::Located located = files::Locate(folder);
  std::string state = "may not be written: " + why;
  if (located.kind == files::Located::Kind::kMissing) state = "does not exist";
  else if (located.kind == files::Located::Kind::kUnreachable) state = "cannot be reached: " + located.reason;
  else if (std::error_code ec; !std::filesystem::is_directory(located.path, ec)) state = "is not a folder";
  const std::string where = "the folder " + folder.string();
  return Refusal{where + " of the output database " + state + ".",
                 "The output database " + text::Trim(run.paths().output) +
                     " (the setting OutputPathAndFilename) cannot be made: " + where + " " + state +
                     ".\r\n\r\nConvert makes no folder. Nothing has been changed. Make the folder, or choose "
                     "another output database under  \"Setup | Modify File Location\".",
                 ui::Icon::kCritical};
}

// Every run removes baddata.txt from the export folder and makes it anew: a
// folder where that cannot be done, or something other than a file in its
// place, is found now, not after the output database has been deleted.
std::optional<Refusal> ExportFolderRefusal(const engine::RunContext& run) {
  const std::filesystem::path rejected = run.InputFile(engine::kRejectedDataFileName);
  std::error_code ec;
  const std::filesystem::file_type own = std::filesystem::symlink_status(rejected, ec).type();
  if (!ec && own != std::filesystem::file_type::not_found && own != std::filesystem::file_type::regular &&
      own != std::filesystem::file_type::symlink)
    return RejectedDataFileRefusal(rejected, files::NotARegularFile(rejected),
                                   "Move what stands there out of the way and run Convert again.");
  const std::filesystem::path folder = rejected.parent_path();
  if (const std::string why = files::FolderNotWritable(folder); !why.empty())
    return Refusal{"the export folder " + folder.string() + " cannot take the rejected-data file: " + why + ".",
                   "The rejected-data file baddata.txt cannot be made in the export folder " + folder.string() +
                       ": " + why +
                       ".\r\n\r\nEvery conversion writes it there. Make the folder writable, or choose an export "
                       "in another folder under  \"Setup | Modify File Location\".",
                   ui::Icon::kCritical};
  if (const std::string why = files::RemovalBarredByAttribute(rejected); !why.empty())
    return RejectedDataFileRefusal(rejected, "cannot be replaced: " + why,
                                   "Have the attribute cleared (lsattr shows it, chattr -i or chattr -a as root "
                                   "clears it), or choose an export in another folder under  \"Setup | Modify "
                                   "File Location\".");
  if (const std::string why = files::NotRemovable(rejected); !why.empty())
    return RejectedDataFileRefusal(rejected, "cannot be replaced: " + why,
                                   "Ask its owner to remove it, or choose an export in another folder under  "
                                   "\"Setup | Modify File Location\".");
  return std::nullopt;
}

// Every step of the run that loads a data set stops the run when its file
// is missing or cannot be read. All of them are looked up now, as the
// loaders find them, and named in one message, so that one look mends them
// all while the output database is still as it was.
std::optional<Refusal> DataSetFilesRefusal(const engine::RunContext& run) {
  std::string faults;
  std::string names;
  int count = 0;
  for (const loaders::LoaderDef* loader : loaders::AllLoaders()) {
    const std::filesystem::path file = run.InputFile(loader->file);
    std::string why = files::NotARegularFile(file);
    if (why.empty()) {
      if (const std::string reason = files::NotReadable(file); !reason.empty()) why = "cannot be read: " + reason;
    }
    if (why.empty()) continue;
    faults += "\r\n" + loader->file + " " + why;
    names += (names.empty() ? "" : ", ") + loader->file;
    ++count;
  }
  if (faults.empty()) return std::nullopt;
  const std::string these = count == 1 ? "This data set file" : "These data set files";
  return Refusal{(count == 1 ? "the data set file of the export cannot be read: "
                             : "data set files of the export cannot be read: ") +
                     names + ".",
                 these + " of the export in " + run.paths().input_dir + " cannot be read:\r\n" + faults +
                     "\r\n\r\nEvery conversion reads all 35 data set files. Nothing has been changed. Copy "
                     "the whole export into the folder again, or choose another export under  \"Setup | "
                     "Modify File Location\", and run Convert again.",
                 ui::Icon::kCritical};
}

// A registration-number database that the user named and that is not there
// is a mistyped path: a run without it would go on and report success.
std::optional<Refusal> NamedRegistrationDatabaseMissing(const engine::RunPaths& paths) {
  const std::string why =
      convert::NamedDatabaseMissing(paths.registration_named_by, files::FromSetting(paths.registration_database));
  if (why.empty()) return std::nullopt;
  return Refusal{"the " + why + ".",
                 "The " + why + ".\r\n\r\nNothing has been changed. Name the registration-number database that "
                                "is there, and run the conversion again.",
                 ui::Icon::kCritical};
}

// A main data set file that may be there but cannot be reached is not
// "not found": say why it cannot be read.
std::optional<Refusal> MainDataSetUnreachable(const engine::RunPaths& paths) {
  const files::Located main = files::Locate(files::FromSetting(paths.table_main));
  if (main.kind != files::Located::Kind::kUnreachable) return std::nullopt;
  return Refusal{"the main data set file cannot be reached: " + main.reason + ".",
                 "The main data set file " + paths.table_main + " cannot be reached: " + main.reason +
                     ".\r\n\r\nSelect  \"Setup | Modify File Location\"  on the menu bar.",
                 ui::Icon::kCritical};
}

}  // namespace

std::string MainDataSetNotFound(const engine::RunPaths& paths) {
  return "the file 'main.dat' was not found: " + files::FromSetting(text::Trim(paths.table_main)).string() + ".";
}

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
  if (auto refusal = MainDataSetUnreachable(run.paths())) return refusal;
  if (!MainDataSetFound(run.paths()))
    return Refusal{MainDataSetNotFound(run.paths()), MissingMainDataSetMessage().text, ui::Icon::kNone};
  if (auto refusal = OutputIsAnInput(run)) return refusal;
  if (auto refusal = DatabaseIsTheRejectedDataFile(run)) return refusal;
  if (auto refusal = OutputIsNotAFile(run)) return refusal;
  if (auto refusal = DataSetFilesRefusal(run)) return refusal;
  if (auto refusal = NamedRegistrationDatabaseMissing(run.paths())) return refusal;
  if (auto refusal = ExportFolderRefusal(run)) return refusal;
  return OutputFolderRefusal(run);
}

std::optional<Refusal> UserDatabaseRefusal(engine::RunContext& run) {
  for (const engine::UserDatabase& database : convert::AntSiteDatabasesToCheck(run.paths())) {
    try {
      engine::CheckUserDatabase(run.workspace(), database);
    } catch (const std::exception& e) {
      std::string text = std::string(e.what()) + "\r\n\r\nNothing has been changed.";
      if (!database.setting.empty())
        text += " Choose the database again under  \"Setup | Ant Site Files\", or mend it, and run Convert again.";
      return Refusal{std::string("a database that the run needs cannot be used: ") + e.what(), std::move(text),
                     ui::Icon::kCritical};
    }
  }
  return std::nullopt;
}

}  // namespace morvane::app
