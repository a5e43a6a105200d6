#pragma once
// The default error handler: an exception that reaches an action of a window is shown in an
// error box, and the window carries on.
#include <exception>
#include <functional>

#include <QString>

namespace quill {

class Messages;

// The text of an exception as a box shows it: a UserError holds the program's Windows-1252
// text, the other errors UTF-8 text naming the file and the problem.
QString ErrorText(const std::exception& error);

// Runs the action; an exception is shown with ShowError. Returns false when one was caught.
bool RunGuarded(Messages& messages, const std::function<void()>& action);

}  // namespace quill
