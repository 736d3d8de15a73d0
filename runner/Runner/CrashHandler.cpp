#include "Runner/CrashHandler.h"

#include <cstdint>
#include <cstring>
#include <unistd.h>

#include "Base/OutputChannel.h"
#include "Code/FrameRecord.h"
#include "Platform/CrashSignals.h"

namespace {

int g_debug_fd = -1;
bool g_also_stderr = false;

void WriteText(const char* text) {
    size_t length = std::strlen(text);
    if (g_debug_fd >= 0 && write(g_debug_fd, text, length) < 0) return;
    if (g_also_stderr && g_debug_fd != STDERR_FILENO && write(STDERR_FILENO, text, length) < 0) return;
}

// snprintf is not safe in a signal handler: hex digits by hand.
void HexText(uint64_t value, int digits, char* out) {
    static const char kDigits[] = "0123456789abcdef";
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = kDigits[value & 0xF];
        value >>= 4;
    }
    out[digits] = '\0';
}

void OnCrash(uint32_t code, uintptr_t address) {
    WriteText("\nException detected during headless!\nPSL stack frame is!\n");
    for (const FrameRecord* frame = g_FrameChain; frame; frame = frame->previous) {
        WriteText(frame->name ? frame->name : "?");
        WriteText("\n");
    }
    if (g_FrameChain) {
        WriteText("Failing function is\n");
        WriteText(g_FrameChain->name ? g_FrameChain->name : "?");
        WriteText("\n");
    }
    char code_text[9];
    char address_text[17];
    HexText(code, 8, code_text);
    HexText(address, 16, address_text);
    WriteText("Exception happened code=");
    WriteText(code_text);
    WriteText(" address=0x");
    WriteText(address_text);
    WriteText("\n");
    _exit(1);
}

} // namespace

void InstallCrashHandler(bool headless) {
    g_debug_fd = DebugOutput().FileDescriptor();
    g_also_stderr = !headless;
    InstallCrashSignals(OnCrash);
}
