#include "Code/Builtins.h"

#include <cstring>
#include <vector>

#include "Base/OutputChannel.h"
#include "Code/ArgumentTexts.h"
#include "Code/RuntimeError.h"

namespace {

std::vector<BuiltinEntry> g_builtins;
const BuiltinEntry* g_current = nullptr;

// Most calls fit here; the rare longer argument list goes to the heap.
constexpr int kStackArguments = 16;

} // namespace

void RegisterBuiltin(const char* name, BuiltinFunction function, int32_t argument_count) {
    if (std::strlen(name) >= BUILTIN_NAME_SIZE) {
        ErrorOutput().Printf("Built-in function name too long: %s\n", name);
        return;
    }
    // The table grows in large steps: several hundred built-ins register at start.
    if (g_builtins.size() == g_builtins.capacity()) g_builtins.reserve(g_builtins.size() + 500);
    BuiltinEntry entry{};
    std::strcpy(entry.name, name);
    entry.function = function;
    entry.argument_count = argument_count;
    g_builtins.push_back(entry);
}

int32_t FindBuiltin(const char* name) {
    for (size_t i = 0; i < g_builtins.size(); ++i)
        if (std::strcmp(g_builtins[i].name, name) == 0) return static_cast<int32_t>(i);
    return -1;
}

int32_t BuiltinCount() { return static_cast<int32_t>(g_builtins.size()); }

const BuiltinEntry& BuiltinAt(int32_t index) { return g_builtins[static_cast<size_t>(index)]; }

void ClearBuiltins() {
    g_builtins.clear();
    g_builtins.shrink_to_fit();
}

const char* CurrentBuiltinName() { return g_current ? g_current->name : ""; }

RValue& CallBuiltin(CInstance* self, CInstance* other, RValue& result, int argc, int32_t index,
                    RValue** args) {
    if (index < 0 || index >= BuiltinCount()) {
        FreeValue(result);
        RaiseRuntimeError("function index %d is not a built-in function", index);
        return result;
    }
    alignas(16) RValue stack_block[kStackArguments];
    std::vector<RValue> heap_block;
    RValue* block = stack_block;
    if (argc > kStackArguments) {
        heap_block.resize(static_cast<size_t>(argc));
        block = heap_block.data();
    }
    // Borrowed: no reference changes. Copied part by part, as the caller has most often just
    // written them so: one 16-byte read of smaller writes waits for them to reach the cache,
    // which cost a tenth of a screen's re-tiling.
    for (int i = 0; i < argc; ++i) {
        block[i].v64 = args[i]->v64;
        block[i].flags = args[i]->flags;
        block[i].kind = args[i]->kind;
    }
    FreeValue(result);

    const BuiltinEntry* saved = g_current;
    g_current = &g_builtins[static_cast<size_t>(index)];
    ArgumentTextScope texts;
    g_current->function(result, self, other, argc, block);
    g_current = saved;
    return result;
}
