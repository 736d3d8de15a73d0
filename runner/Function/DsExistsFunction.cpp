// ds_exists(id, kind): whether a data structure of that kind has the id, so that code handed an
// id from outside (a decoded save file) can check it before using it.
#include "Code/Builtins.h"
#include "Code/GameConstants.h"
#include "Function/BuiltinGroups.h"
#include "Support/DsState.h"
#include "Variable/BuiltinArgs.h"

namespace {

void ds_exists(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    const int32_t id = ArgInt32(args, 0);
    bool exists = false;
    switch (ArgInt32(args, 1)) {
    case ds_type_map: exists = DsMaps().Find(id) != nullptr; break;
    case ds_type_list: exists = DsLists().Find(id) != nullptr; break;
    case ds_type_stack: exists = DsStacks().Find(id) != nullptr; break;
    case ds_type_queue: exists = DsQueues().Find(id) != nullptr; break;
    case ds_type_grid: exists = DsGrids().Find(id) != nullptr; break;
    default: break;
    }
    SetReal(result, exists);
}

} // namespace

void RegisterDsExistsFunction() { RegisterBuiltin("ds_exists", ds_exists, 2); }
