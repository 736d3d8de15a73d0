// The report a crash leaves behind: the active compiled functions and the signal (or the
// exception code), written with async-signal-safe calls only, then the process ends with exit
// code 1.
#pragma once

// Headless runs write the report to the debug output; windowed runs to stderr as well.
void InstallCrashHandler(bool headless);
