// frmMkKtbDbS and frmAddDalkTbl: the two windows shown while the output
// database is built. Each has three frames, each around one label:
// fraDBName/lblDataBaseName, fraTableName/lblTableName and
// fraAction/lblAction. The building code writes them through ui::Window.
#pragma once

#include "app/gui/form.h"

namespace morvane::gui {

class SchemaForm : public Form {
  Q_OBJECT

 public:
  SchemaForm(QWidget* parent, const char* name, const QString& caption);

  // The two forms of the program.
  static SchemaForm* NewTargetForm(QWidget* parent);   // frmMkKtbDbS
  static SchemaForm* NewStagingForm(QWidget* parent);  // frmAddDalkTbl
};

}  // namespace morvane::gui
