#include "run/user_database.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/db/database.h"
#include "platform/files/files.h"
#include "platform/files/link_target.h"
#include "platform/text/text.h"

namespace morvane::engine {
namespace {

class Checker {
 public:
  // The path is looked up once: where it leads (file_, as UserDatabaseFile
  // gives it) and whether anything is there at all.
  explicit Checker(const UserDatabase& database)
      : database_(database),
        located_(files::Locate(files::FromSetting(database.path))),
        file_(located_.kind == files::Located::Kind::kFound ? located_.path.string()
                                                             : files::FromSetting(database.path).string()) {}

  void Run(db::Workspace& workspace, CheckDepth depth) {
    const std::string named = text::Trim(database_.path);
    const bool unnamed = named.empty() || text::EqualsIgnoreCase(named, "NONE");
    // Only a database that is not there may be gone without: one that may
    // be there but cannot be reached is an error.
    if (database_.optional && (unnamed || located_.kind == files::Located::Kind::kMissing)) return;
    if (unnamed) Fail("names no database file");
    if (!files::FileExists(file_)) FailNotAFile();
    if (const std::string why = files::NotReadable(file_); !why.empty()) Fail(NamesAFile() + "cannot be read: " + why);
    db::Database db;
    try {
      db = workspace.OpenDatabase(file_, db::Access::kUserRead);
    } catch (const db::Error& e) {
      Fail(NamesAFile() + "cannot be opened as a database (" + e.message() + ")");
    }
    // Before the tables: a damaged file would fail their reads with an
    // engine error that names no file.
    if (depth == CheckDepth::kReadThrough) CheckReadsThrough(db);
    for (const UserTable& table : database_.tables) CheckTable(db, table);
    db.Close();
    if (database_.written) CheckWritable(workspace);
  }

 private:
  // A fixed file is the subject itself; a setting names its file.
  std::string NamesAFile() const { return database_.setting.empty() ? "" : "names a file that "; }

  // Says what stands there: nothing, a folder, a named pipe, something
  // that cannot be reached ...
  [[noreturn]] void FailNotAFile() const {
    const std::string what = files::NotARegularFile(files::FromSetting(database_.path));
    if (what == "was not found") Fail(NamesAFile() + "does not exist");
    Fail(database_.setting.empty() ? what : "names " + file_ + ", which " + what);
  }

  // SQLite's quick check reads every page of the file: a file that is a
  // database only in its first pages is refused before anything is written.
  void CheckReadsThrough(db::Database& db) const {
    std::string found;
    try {
      db::PreparedSql check = db.Prepare("SELECT * FROM pragma_quick_check(1)");
      check.Run();
      found = check.Get(0, 0).AsText();
    } catch (const db::Error& e) {
      found = e.message();
    }
    if (found == "ok") return;
    for (char& c : found)
      if (c == '\n') c = ' ';
    Fail(NamesAFile() + "is damaged: it does not read as a database all through (" + found + ")");
  }

  // Probed and rolled back by the open; nothing is written. SQLite writes
  // its rollback journal beside the file: a folder that will not take it is
  // named, since the file itself may well be writable.
  void CheckWritable(db::Workspace& workspace) const {
    try {
      workspace.OpenDatabase(file_, db::Access::kUserWrite).Close();
    } catch (const db::Error& e) {
      const std::filesystem::path folder = files::LinkTarget(file_).parent_path();
      if (const std::string why = files::FolderNotWritable(folder); !why.empty() && files::MayWrite(file_))
        Fail(NamesAFile() + "cannot be written now: its folder " + folder.string() +
             " will not take the journal that is written beside the file while it changes (" + why + ")");
      Fail(NamesAFile() + "cannot be written now (" + e.message() + ")");
    }
  }

  void CheckTable(const db::Database& db, const UserTable& table) {
    const std::optional<db::TableDef> def = db.FindTable(table.name);
    if (!def) Fail("has no table " + table.name);
    for (const std::string& field : table.fields)
      if (!def->FindField(field)) Fail("has no field " + field + " in table " + table.name);
    for (const UserIndex& index : table.indexes) CheckIndex(*def, index);
  }

  void CheckIndex(const db::TableDef& def, const UserIndex& index) {
    const db::IndexDef* found = def.FindIndex(index.name);
    const std::string where = "index " + index.name + " on field " + index.field + " of table " + def.name;
    if (!found) Fail("has no " + where);
    if (!db::NamesEqual(found->field, index.field))
      Fail("has its index " + index.name + " of table " + def.name + " on field " + found->field +
           ", not on " + index.field);
    if (found->case_sensitive)
      Fail("has an " + where + " that compares letter case, so keys cannot be found without regard to case",
           "Rebuild it with the sqlite3 shell: DROP INDEX \"" + index.name + "\"; CREATE INDEX \"" +
               index.name + "\" ON \"" + def.name + "\" (\"" + index.field + "\" COLLATE NOCASE);");
  }

  [[noreturn]] void Fail(const std::string& what, const std::string& remedy = {}) const {
    const std::string subject = database_.setting.empty()
                                    ? "The file " + file_
                                    : "The setting " + database_.setting + " (" + database_.path + ")";
    throw StepError(file_, subject + " " + what + "." + (remedy.empty() ? "" : " " + remedy));
  }

  const UserDatabase& database_;
  const files::Located located_;
  const std::string file_;
};

}  // namespace

db::Access AccessOf(const UserDatabase& database) {
  return database.written ? db::Access::kUserWrite : db::Access::kUserRead;
}

std::filesystem::path UserDatabaseFile(const std::string& path) {
  const std::filesystem::path named = files::FromSetting(path);
  return files::Resolve(named).value_or(named);
}

void CheckUserDatabase(db::Workspace& workspace, const UserDatabase& database, CheckDepth depth) {
  Checker(database).Run(workspace, depth);
}

}  // namespace morvane::engine
