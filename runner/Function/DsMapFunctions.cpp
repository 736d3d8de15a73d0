// The map built-ins and the JSON conversions, all under "DsMutex", and the precision of
// comparisons inside every kind of structure.
#include <memory>

#include "Code/Builtins.h"
#include "Code/NumberText.h"
#include "Function/BuiltinGroups.h"
#include "Support/CDS_List.h"
#include "Support/CDS_Map.h"
#include "Support/DsOperations.h"
#include "Support/DsOwnership.h"
#include "Support/DsState.h"
#include "Support/JsonDecode.h"
#include "Support/JsonEncode.h"
#include "Variable/BuiltinArgs.h"

namespace {

CDS_Map* MapArg(const RValue* args) {
    return DsMaps().Get(ArgInt32(args, 0));
}

void ds_map_create(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    int32_t buckets = argc > 0 ? ArgInt32(args, 0) : CDS_Map::kDefaultBuckets;
    DsLock lock(DsMutex());
    SetReal(result, DsMaps().Add(std::make_unique<CDS_Map>(buckets)));
}

void ds_map_destroy(RValue&, CInstance*, CInstance*, int, RValue* args) {
    DsLock lock(DsMutex());
    if (MapArg(args)) DestroyOwned({{DsKind::Map, ArgInt32(args, 0)}});
}

void ds_map_set(RValue&, CInstance*, CInstance*, int, RValue* args) {
    DsLock lock(DsMutex());
    if (CDS_Map* map = MapArg(args)) map->Set(args[1], args[2]);
}

void ds_map_set_post(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    DsLock lock(DsMutex());
    if (CDS_Map* map = MapArg(args)) map->Set(args[1], args[2]);
    CopyValue(result, args[2]);
}

void ds_map_add(RValue&, CInstance*, CInstance*, int, RValue* args) {
    DsMapAdd(ArgInt32(args, 0), args[1], args[2]);
}

// Adds a plain number naming an existing structure as an entry the map owns.
template <DsKind kKind>
void AddOwned(RValue& result, RValue* args, const char* invalid_message) {
    DsLock lock(DsMutex());
    CDS_Map* map = MapArg(args);
    if (!map) return;
    const RValue& value = args[2];
    int32_t handle = TruncToInt32(value.val);
    bool exists =
        value.kind == VALUE_REAL && (kKind == DsKind::Map ? DsMaps().Find(handle) != nullptr
                                                          : DsLists().Find(handle) != nullptr);
    if (!exists) {
        ShowError(invalid_message, false);
        SetReal(result, 0);
        return;
    }
    SetReal(result, map->Add(args[1], MarkedHandle(kKind, handle)) ? 1 : 0);
}

void ds_map_add_list(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    AddOwned<DsKind::List>(result, args, "Invalid list index for value");
}
void ds_map_add_map(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    AddOwned<DsKind::Map>(result, args, "Invalid map index for value");
}

void ds_map_exists(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    DsLock lock(DsMutex());
    if (CDS_Map* map = MapArg(args)) SetReal(result, map->Find(args[1]) ? 1 : 0);
}

void ds_map_find_value(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    DsLock lock(DsMutex());
    CDS_Map* map = MapArg(args);
    if (!map) return;
    if (const RValue* value = map->Find(args[1])) CopyUnmarked(result, *value);
}

void ds_map_clear(RValue&, CInstance*, CInstance*, int, RValue* args) {
    DsLock lock(DsMutex());
    if (CDS_Map* map = MapArg(args)) ClearMapAndOwned(*map);
}

void json_encode(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    DsLock lock(DsMutex());
    if (CDS_Map* map = MapArg(args))
        MakeString(result, JsonEncode(*map));
    else
        MakeString(result, static_cast<const char*>(nullptr));
}

void json_decode(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (args[0].Kind() == VALUE_STRING)
        SetReal(result, JsonDecode(args[0].str ? args[0].str->text : nullptr));
    else
        SetReal(result, JsonDecodeNumber(ArgReal(args, 0)));
}

void ds_set_precision(RValue&, CInstance*, CInstance*, int, RValue* args) {
    DsSetPrecision(ArgReal(args, 0));
}

} // namespace

void RegisterDsMapFunctions() {
    RegisterBuiltin("ds_set_precision", ds_set_precision, 1);
    RegisterBuiltin("ds_map_create", ds_map_create, BUILTIN_VARIADIC);
    RegisterBuiltin("ds_map_destroy", ds_map_destroy, 1);
    RegisterBuiltin("ds_map_set", ds_map_set, 3);
    RegisterBuiltin("ds_map_set_post", ds_map_set_post, 3);
    RegisterBuiltin("ds_map_add", ds_map_add, 3);
    RegisterBuiltin("ds_map_add_list", ds_map_add_list, 3);
    RegisterBuiltin("ds_map_add_map", ds_map_add_map, 3);
    RegisterBuiltin("ds_map_exists", ds_map_exists, 2);
    RegisterBuiltin("ds_map_find_value", ds_map_find_value, 2);
    RegisterBuiltin("ds_map_clear", ds_map_clear, 1);
    RegisterBuiltin("json_encode", json_encode, 1);
    RegisterBuiltin("json_decode", json_decode, 1);
}
