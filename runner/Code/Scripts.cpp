#include "Code/Scripts.h"

#include <unordered_map>
#include <vector>

#include "Code/CodeTable.h"

namespace {

std::vector<CScript> g_scripts;
std::unordered_map<std::string, int32_t> g_by_name;

} // namespace

int32_t Script_Add(std::string name, int32_t code_index) {
    auto index = static_cast<int32_t>(g_scripts.size());
    g_by_name.try_emplace(name, index);
    g_scripts.push_back({std::move(name), code_index});
    return index;
}

void Script_Clear() {
    g_scripts.clear();
    g_by_name.clear();
}

int32_t Script_Count() { return static_cast<int32_t>(g_scripts.size()); }

int32_t Script_Find(const char* name) {
    auto found = g_by_name.find(name);
    return found == g_by_name.end() ? -1 : found->second;
}

const CScript& Script_At(int32_t index) { return g_scripts[static_cast<size_t>(index)]; }

RValue& CallScript(CInstance* self, CInstance* other, RValue& result, int argc, int32_t script_index,
                   RValue** args) {
    SetReal(result, 0);
    if (script_index < 0 || script_index >= Script_Count()) return result;
    const CodeEntry* entry = CodeEntryAt(g_scripts[static_cast<size_t>(script_index)].code_index);
    if (entry && entry->script) entry->script(self, other, &result, argc, args);
    return result;
}
