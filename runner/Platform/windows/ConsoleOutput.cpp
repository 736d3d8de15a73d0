#include "Platform/ConsoleOutput.h"

#include <cstdio>
#include <windows.h>

void ConnectConsoleOutput() {
    // Output sent to a file or a pipe already has somewhere to go.
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output != nullptr && output != INVALID_HANDLE_VALUE && GetFileType(output) != FILE_TYPE_UNKNOWN) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!std::freopen("CONOUT$", "w", stdout) || !std::freopen("CONOUT$", "w", stderr)) return;
}
