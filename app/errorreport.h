#pragma once

#include "core/window/texts.h"

#include <functional>

class QWidget;

// The run-time error report: a message box naming the error, then the end of the program.
namespace ErrorReport {

// The exit status of a program ended by an error.
constexpr int exitStatus = 1;

// Runs a handler; an error it raises is reported in the window's language and ends the
// program. Returns false then.
bool guard(QWidget *window, Language language, const std::function<void()> &handler);

// True once an error has ended the program, also before the event loop has started.
bool ended();

} // namespace ErrorReport
