#pragma once

#include <optional>

// Names the program, its version and its desktop entry (the window's application id), then reads the
// command line with a console application only: --help, --version and anything unknown are answered
// before QApplication exists, so they need no display. Returns the exit status when the program ends
// here, nothing when the game should start.
std::optional<int> ParseCommandLine(int argc, char** argv);
