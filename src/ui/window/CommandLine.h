#pragma once

#include <optional>

// Answers --help and --version before any window exists, so that both work
// without a display. Returns the exit code when the program should stop there;
// every other argument is left to QApplication (Qt's own -platform, -style...).
std::optional<int> answerCommandLine(int argc, char *argv[]);
