// What the windows ask of the desktop: modal message boxes, the file-open
// dialog and the end of the program. Tests replace each of them, so the
// windows can be driven without a real dialog or a running event loop.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/ui.h"
#include "run/program.h"

class QWidget;
class QString;

namespace morvane::gui {

// The title of the program's message boxes when a message gives none.
inline constexpr std::string_view kApplicationTitle = engine::kProgramTitle;

// One file-open dialog. `filter` is as the windows define it: a description,
// "|" and the pattern ("Input data (main.dat) | *.dat").
struct FileRequest {
  std::string title;
  std::string file_name;  // the current path, shown as the initial choice
  std::string filter;
};

// The chosen file name, or nullopt when the user cancelled.
using FileChooser =
    std::function<std::optional<std::string>(QWidget* parent, const FileRequest&)>;
using MessageBoxFunction =
    std::function<ui::Answer(QWidget* parent, const ui::Message&)>;

struct Services {
  MessageBoxFunction message_box;
  FileChooser choose_file;
  std::function<void()> end_program;

  // QMessageBox, QFileDialog and QCoreApplication::exit(0).
  static Services Desktop();
};

// A modal QMessageBox with the message's buttons, icon, default button and
// title (kApplicationTitle when empty). Closing the box without a button
// answers as the last button (OK, No or Cancel).
ui::Answer ShowQtMessageBox(QWidget* parent, const ui::Message& message);

// A QFileDialog for opening a file (a name that does not exist yet may be
// typed, since the output database may be new).
std::optional<std::string> ChooseFileWithQtDialog(QWidget* parent,
                                                  const FileRequest& request);

// "Input data (main.dat) | *.dat" -> "Input data (main.dat) (*.dat *.DAT)":
// Qt's form of a name filter. Upper-case patterns are added because the
// exports come from a system that ignored case.
QString QtNameFilter(std::string_view filter);

}  // namespace morvane::gui
