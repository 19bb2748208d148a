#include "run/form_labels.h"

namespace morvane::engine {

void ClearFormLabels(ui::Window& form) {
  form.SetCaption("lblDataBaseName", "");
  form.SetCaption("lblTableName", "");
  form.SetCaption("lblAction", "");
}

void FormLabels::CreatingTable(const schema::TableSpec& table) {
  form_.SetCaption("lblAction", "Creating Tables . . . .");
  form_.SetCaption("lblTableName", table.caption);
  run_.Yield();
}

void FormLabels::TableCreated(const schema::TableSpec&) {
  form_.SetCaption("lblAction", "");
  form_.SetCaption("lblTableName", "");
  run_.Yield();
}

}  // namespace morvane::engine
