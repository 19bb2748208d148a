#include "run/staging_database.h"

#include <filesystem>
#include <string>

#include "platform/db/error.h"
#include "run/form_labels.h"
#include "schema/staging/staging_tables.h"

namespace morvane::engine {
namespace {

constexpr std::string_view kBuildingText = "Building the Data Base structure !";

// FormLabels that also remembers the table under way, so that an error can
// name it.
class StagingProgress : public FormLabels {
 public:
  using FormLabels::FormLabels;

  void CreatingTable(const schema::TableSpec& table) override {
    current_ = table.def.name;
    FormLabels::CreatingTable(table);
  }
  void TableCreated(const schema::TableSpec& table) override {
    FormLabels::TableCreated(table);
    current_.clear();
  }

  const std::string& current() const { return current_; }

 private:
  std::string current_;
};

// Hides the form however the work ends.
class HideOnExit {
 public:
  explicit HideOnExit(ui::Window& form) : form_(form) {}
  ~HideOnExit() { form_.Hide(); }
  HideOnExit(const HideOnExit&) = delete;
  HideOnExit& operator=(const HideOnExit&) = delete;

 private:
  ui::Window& form_;
};

constexpr const char* kCannotOpen = "The output database could not be opened: ";

}  // namespace

void AddStagingTables(engine::RunContext& run) {
  ui::Window& form = run.ui().GetWindow(ui::kStagingForm);
  run.Status().SetCaption("lblStatus", kBuildingText);
  form.Show();
  ClearFormLabels(form);
  {
    HideOnExit hide(form);
    std::filesystem::path path = run.paths().output;
    db::Database database;  // closed by its destructor on every exit
    try {
      path = run.OutputFile();
      database = run.workspace().OpenDatabase(path);
    } catch (const db::Error& e) {
      throw engine::StepError(path.string(), kCannotOpen, e);
    } catch (const std::filesystem::filesystem_error& e) {
      throw engine::StepError(path.string(), kCannotOpen + std::string(e.what()));
    }
    form.SetCaption("lblDataBaseName", path.string());
    form.SetCaption("lblTableName", "");
    form.SetCaption("lblAction", "");

    StagingProgress progress(form, run);
    try {
      schema::CreateTables(database, schema::StagingTables(), &progress);
      database.Close();
    } catch (const db::Error& e) {
      const std::string what = progress.current().empty()
                                   ? std::string("The staging tables could not be completed: ")
                                   : "The table " + progress.current() + " could not be created: ";
      throw engine::StepError(path.string(), what, e);
    }
    ClearFormLabels(form);
  }
  run.Status().SetCaption("lblStatus", "");
  run.Yield();
}

}  // namespace morvane::engine
