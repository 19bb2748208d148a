#include "run/ktb_database.h"

#include <filesystem>
#include <string>

#include "platform/db/error.h"
#include "platform/files/files.h"
#include "platform/files/link_target.h"
#include "platform/ui/ui.h"
#include "run/form_labels.h"
#include "schema/ktb/ktb_tables.h"

namespace morvane::engine {
namespace {
namespace fs = std::filesystem;

// The file first: if it cannot go, its journal must stay with it, or an
// interrupted transaction could no longer be rolled back. Then the side
// files, because the engine would roll a stale journal into the new file.
void DeleteOldDatabase(const fs::path& path) {
  try {
    files::RemoveFileIfExists(path);
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
      files::RemoveFileIfExists(fs::path(path.string() + suffix));
    }
  } catch (const fs::filesystem_error& e) {
    const fs::path& what = e.path1().empty() ? path : e.path1();
    throw engine::StepError(path.string(), "The old output database could not be deleted (" +
                                            what.string() + "): " + e.code().message());
  }
}

void CreateEmptyTables(engine::RunContext& run, ui::Window& form, const fs::path& path) {
  try {
    db::Workspace& workspace = run.workspace();
    workspace.CreateDatabase(path, schema::kOutputDatabaseLocale).Close();

    db::Database database = workspace.OpenDatabase(path);
    form.SetCaption("lblDataBaseName", path.string());
    form.SetCaption("lblTableName", "");
    form.SetCaption("lblAction", "");

    FormLabels labels(form, run);
    schema::CreateTables(database, schema::KtbTables(), &labels);
    database.Close();
  } catch (const db::Error& e) {
    throw engine::StepError(path.string(), "The output database could not be created: ", e);
  }
}

}  // namespace

void BuildKtbDatabase(engine::RunContext& run) {
  ui::Window& form = run.ui().GetWindow(ui::kTargetForm);
  form.Show();
  ClearFormLabels(form);
  form.Repaint();

  // Through a symbolic link, the file it leads to: the link stays.
  const fs::path path = files::LinkTarget(run.OutputFile());
  try {
    // Said in words before anything is deleted: the engine would only say
    // that it is "unable to open database file".
    const fs::path folder = fs::absolute(path).parent_path();
    if (const std::string why = files::FolderNotWritable(folder); !why.empty())
      throw engine::StepError(path.string(), "cannot create the output database in " +
                                                 folder.string() + ": " + why);
    DeleteOldDatabase(path);
    CreateEmptyTables(run, form, path);
  } catch (...) {
    ClearFormLabels(form);
    form.Hide();
    throw;
  }

  ClearFormLabels(form);
  form.Hide();
  run.Yield();
}

}  // namespace morvane::engine
