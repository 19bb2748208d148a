// Shows the progress of a schema form in its three labels while it creates
// its tables: "Creating Tables . . . ." and the table's caption during each
// table, both emptied after it, with a yield to the event loop each time so
// the form repaints.
#pragma once

#include "platform/ui/ui.h"
#include "run/run_context.h"
#include "schema/schema_table.h"

namespace morvane::engine {

// Empties the form's three labels: database name, table name and action.
void ClearFormLabels(ui::Window& form);

class FormLabels : public schema::TableObserver {
 public:
  FormLabels(ui::Window& form, engine::RunContext& run) : form_(form), run_(run) {}

  void CreatingTable(const schema::TableSpec& table) override;
  void TableCreated(const schema::TableSpec& table) override;

 private:
  ui::Window& form_;
  engine::RunContext& run_;
};

}  // namespace morvane::engine
