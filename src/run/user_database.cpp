#include "run/user_database.h"

#include <optional>

#include "platform/db/database.h"
#include "platform/files/files.h"
#include "platform/text/text.h"

namespace morvane::engine {
namespace {

class Checker {
 public:
  explicit Checker(const UserDatabase& database)
      : database_(database), file_(UserDatabaseFile(database.path).string()) {}

  void Run(db::Workspace& workspace) {
    const std::string named = text::Trim(database_.path);
    if (named.empty() || text::EqualsIgnoreCase(named, "NONE")) Fail("names no database file");
    // A fixed file is the subject itself; a setting names its file.
    const std::string names_a_file = database_.setting.empty() ? "" : "names a file that ";
    if (!files::FileExists(UserDatabaseFile(database_.path))) Fail(names_a_file + "does not exist");
    db::Database db;
    try {
      db = workspace.OpenDatabase(file_);
    } catch (const db::Error& e) {
      Fail(names_a_file + "cannot be opened as a database (" + e.message() + ")");
    }
    for (const UserTable& table : database_.tables) CheckTable(db, table);
    db.Close();
  }

 private:
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
  const std::string file_;
};

}  // namespace

std::filesystem::path UserDatabaseFile(const std::string& path) {
  const std::filesystem::path named = files::FromSetting(path);
  return files::Resolve(named).value_or(named);
}

void CheckUserDatabase(db::Workspace& workspace, const UserDatabase& database) {
  Checker(database).Run(workspace);
}

}  // namespace morvane::engine
