// A windowed program started from a terminal still writes its output there: on Windows the game
// is not a console program (no console opens beside it when started from the desktop), so it
// joins the console it was started from, unless its output already goes elsewhere.
#pragma once

void ConnectConsoleOutput();
