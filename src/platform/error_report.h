#pragma once
// The general error report, the one place where an error that leaves a command is caught. Every
// command runs through it from its slot, so no error travels through Qt's own code.

#include <functional>

namespace kalven {

class UserDialogs;

// Runs the command. An error that leaves it is shown as an error message with its text (Windows-1252,
// as the program's texts are), after beforeReport has run (the main window shows its drawing as it
// stands), and the program goes on.
void RunReported(UserDialogs& dialogs, const std::function<void()>& command,
                 const std::function<void()>& beforeReport = {});

}  // namespace kalven
