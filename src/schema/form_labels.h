// Shows the progress of a schema form in its three labels while it creates
// its tables: "Creating Tables . . . ." and the table's caption during each
// table, both emptied after it, with a yield to the event loop each time so
// the form repaints.
#pragma once

#include "app/run_context.h"
#include "platform/ui/ui.h"
#include "schema/schema_table.h"

namespace morvane::schema {

// Empties the form's three labels: database name, table name and action.
void ClearFormLabels(ui::Window& form);

class FormLabels : public TableObserver {
 public:
  FormLabels(ui::Window& form, app::RunContext& run) : form_(form), run_(run) {}

  void CreatingTable(const TableSpec& table) override;
  void TableCreated(const TableSpec& table) override;

 private:
  ui::Window& form_;
  app::RunContext& run_;
};

}  // namespace morvane::schema
