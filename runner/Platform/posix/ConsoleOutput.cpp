#include "Platform/ConsoleOutput.h"

// A program's output goes to the terminal it was started from already.
void ConnectConsoleOutput() {}
