#include "Code/FunctionIndex.h"

#include "Code/Builtins.h"
#include "Code/Scripts.h"

int32_t FindFunction(const char* name) {
    if (!name || !*name) return -1;
    int32_t script = Script_Find(name);
    if (script >= 0) return FUNCTION_INDEX_SCRIPT_BASE + script;
    return FindBuiltin(name);
}

RValue& CallFunction(CInstance* self, CInstance* other, RValue& result, int argc, int32_t index,
                     RValue** args) {
    if (index >= FUNCTION_INDEX_SCRIPT_BASE && index < FUNCTION_INDEX_SCRIPT_END)
        return CallScript(self, other, result, argc, index - FUNCTION_INDEX_SCRIPT_BASE, args);
    return CallBuiltin(self, other, result, argc, index, args);
}
