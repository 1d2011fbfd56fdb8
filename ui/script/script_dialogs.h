#pragma once

#include <QString>

#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace vek {

namespace basic {
struct ProcedureInfo;
}

// The dialogs a script and the script pane's commands open.
namespace script_dialogs {

// MsgBox: the buttons, icon and default button of the Visual Basic button code, the answer as
// its number (vbOK 1, vbCancel 2, vbAbort 3, vbRetry 4, vbIgnore 5, vbYes 6, vbNo 7). A box
// closed without a button gives Cancel where there is one, else the only button's number.
int MsgBox(QWidget* parent, const QString& prompt, int buttons, const QString& title);
// InputBox: the text entered; nothing when the user cancels.
std::optional<QString> InputBox(QWidget* parent, const QString& prompt, const QString& title,
                                const QString& defaultText);
// Quick Watch: shows the expression's value; true when the user asks to add it as a watch.
bool QuickWatch(QWidget* parent, const QString& expression, const QString& value);
// Browse: the procedures of the modules; the index of the one chosen.
std::optional<std::size_t> Browse(QWidget* parent,
                                  const std::vector<basic::ProcedureInfo>& procedures);

} // namespace script_dialogs

} // namespace vek
