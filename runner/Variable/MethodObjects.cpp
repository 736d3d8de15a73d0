#include "Variable/MethodObjects.h"

#include <memory>
#include <unordered_map>

#include "Variable/CScriptRef.h"

namespace {

std::unordered_map<int32_t, std::unique_ptr<CScriptRef>>& Objects() {
    static std::unordered_map<int32_t, std::unique_ptr<CScriptRef>> objects;
    return objects;
}

} // namespace

CScriptRef* MethodObjectFor(int32_t function_index) {
    std::unique_ptr<CScriptRef>& object = Objects()[function_index];
    if (!object) object = std::make_unique<CScriptRef>(function_index);
    return object.get();
}

void ReleaseMethodObjects() { Objects().clear(); }
