#include "app/gui/schema_form.h"

#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/ui.h"

namespace morvane::gui {

SchemaForm::SchemaForm(QWidget* parent, const char* name, const QString& caption)
    : Form(parent, name, caption) {
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(NewFrame("fraDBName", "Data Base Name:", "lblDataBaseName"));
  layout->addWidget(NewFrame("fraTableName", "Table Name: ", "lblTableName"));
  layout->addWidget(NewFrame("fraAction", "Action: ", "lblAction"));
  setMinimumWidth(480);
}

SchemaForm* SchemaForm::NewTargetForm(QWidget* parent) {
  return new SchemaForm(parent, ui::kTargetForm.data(),
                        "Make Varnel Database Shell (MkKtbDbS)");
}

SchemaForm* SchemaForm::NewStagingForm(QWidget* parent) {
  return new SchemaForm(parent, ui::kStagingForm.data(),
                        "Add DALK Tables to KTB Database Shell (AddDalkTbl)");
}

}  // namespace morvane::gui
