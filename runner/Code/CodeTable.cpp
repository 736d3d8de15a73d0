#include "Code/CodeTable.h"

namespace {

const CodeEntry* g_entries = nullptr;
int32_t g_count = 0;

} // namespace

void SetCodeTable(const CodeEntry* entries, int32_t count) {
    g_entries = entries;
    g_count = entries ? count : 0;
}

int32_t CodeEntryCount() { return g_count; }

const CodeEntry* CodeEntryAt(int32_t index) {
    return (index >= 0 && index < g_count) ? &g_entries[index] : nullptr;
}
