#include "app/gui/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane::gui {
namespace {

QLabel* NewLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  return label;
}

}  // namespace

AboutBox::AboutBox(QWidget* parent) : Form(parent, "frmAbout", "About Morvane") {
  auto* layout = new QVBoxLayout(this);
  QLabel* name = NewLabel(this, "lblProgramName", "Convert DALK Database (Morvane)");
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  layout->addWidget(name);
  layout->addWidget(NewLabel(this, "lblProgramVersion",
                             QStringLiteral("Version  --  ") + QString::fromLatin1(kVersionDate)));
  layout->addWidget(NewLabel(this, "lblProgramDistription",
                             QStringLiteral("This program convert radio assignment data ") +
                                 QStringLiteral("in the Dalk format ") +
                                 QStringLiteral("into a database in the Varnel format.")));
  layout->addWidget(NewLabel(this, "lblProgramAuthor",
                             "Written and maintained by the Morvane developers.\n"
                             "Questions and problem reports: your radio coordination "
                             "support desk."));
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("cmdOK");
  connect(ok, &QPushButton::clicked, this, &QWidget::hide);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  setMinimumWidth(380);
}

}  // namespace morvane::gui
