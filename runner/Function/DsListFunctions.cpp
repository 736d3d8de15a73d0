// The list built-ins, and the marks that make a list item an owned map or list.
#include <memory>

#include "Base/OutputChannel.h"
#include "Code/Builtins.h"
#include "Code/NumberText.h"
#include "Function/BuiltinGroups.h"
#include "Support/CDS_List.h"
#include "Support/CDS_Map.h"
#include "Support/DsOwnership.h"
#include "Support/DsState.h"
#include "Variable/BuiltinArgs.h"

namespace {

CDS_List* ListArg(const RValue* args) {
    return DsLists().Get(ArgInt32(args, 0));
}

void ds_list_create(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetReal(result, DsLists().Add(std::make_unique<CDS_List>()));
}

void ds_list_destroy(RValue&, CInstance*, CInstance*, int, RValue* args) {
    if (ListArg(args)) DestroyOwned({{DsKind::List, ArgInt32(args, 0)}});
}

void ds_list_add(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    CDS_List* list = ListArg(args);
    if (!list) return;
    for (int i = 1; i < argc; ++i)
        list->Add(args[i]);
}

void ds_list_insert(RValue&, CInstance*, CInstance*, int, RValue* args) {
    if (CDS_List* list = ListArg(args)) list->Insert(ArgInt32(args, 1), args[2]);
}

void ds_list_set(RValue&, CInstance*, CInstance*, int, RValue* args) {
    int32_t handle = ArgInt32(args, 0);
    CDS_List* list = DsLists().Get(handle);
    if (!list) return;
    int32_t position = ArgInt32(args, 1);
    if (position < 0)
        DebugOutput().Printf("LIST %d index is negative (%d)\n", handle, position);
    else if (!list->Set(position, args[2]))
        DebugOutput().Printf("LIST %d index is too large (%d)\n", handle, position);
}

void ds_list_replace(RValue&, CInstance*, CInstance*, int, RValue* args) {
    if (CDS_List* list = ListArg(args)) list->Replace(ArgInt32(args, 1), args[2]);
}

void ds_list_delete(RValue&, CInstance*, CInstance*, int, RValue* args) {
    if (CDS_List* list = ListArg(args)) list->Delete(ArgInt32(args, 1));
}

void ds_list_clear(RValue&, CInstance*, CInstance*, int, RValue* args) {
    if (CDS_List* list = ListArg(args)) list->Clear();
}

void ds_list_copy(RValue&, CInstance*, CInstance*, int, RValue* args) {
    CDS_List* destination = ListArg(args);
    CDS_List* source = destination ? DsLists().Get(ArgInt32(args, 1)) : nullptr;
    if (source) destination->CopyFrom(*source);
}

void ds_list_size(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (CDS_List* list = ListArg(args)) SetReal(result, list->Count());
}

void ds_list_empty(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (CDS_List* list = ListArg(args)) SetReal(result, list->Count() == 0 ? 1 : 0);
}

void ds_list_find_value(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    CDS_List* list = ListArg(args);
    if (!list) return;
    if (const RValue* item = list->At(ArgInt32(args, 1))) CopyUnmarked(result, *item);
}

void ds_list_find_index(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (CDS_List* list = ListArg(args)) SetReal(result, list->FindIndex(args[1]));
}

// Marks the item, a plain number naming an existing structure, as owned by the list.
template <DsKind kKind>
void MarkItem(RValue* args, const char* invalid_message) {
    CDS_List* list = ListArg(args);
    if (!list) return;
    RValue* item = list->At(ArgInt32(args, 1));
    int32_t handle = item ? TruncToInt32(item->val) : -1;
    bool exists = item && item->kind == VALUE_REAL &&
                  (kKind == DsKind::Map ? DsMaps().Find(handle) != nullptr
                                        : DsLists().Find(handle) != nullptr);
    if (!exists) {
        ShowError(invalid_message, false);
        return;
    }
    *item = MarkedHandle(kKind, handle);
}

void ds_list_mark_as_list(RValue&, CInstance*, CInstance*, int, RValue* args) {
    MarkItem<DsKind::List>(args, "Invalid list index for value");
}
void ds_list_mark_as_map(RValue&, CInstance*, CInstance*, int, RValue* args) {
    MarkItem<DsKind::Map>(args, "Invalid map index for value");
}

} // namespace

void RegisterDsListFunctions() {
    RegisterBuiltin("ds_list_create", ds_list_create, 0);
    RegisterBuiltin("ds_list_destroy", ds_list_destroy, 1);
    RegisterBuiltin("ds_list_delete", ds_list_delete, 2);
    RegisterBuiltin("ds_list_add", ds_list_add, BUILTIN_VARIADIC);
    RegisterBuiltin("ds_list_insert", ds_list_insert, 3);
    RegisterBuiltin("ds_list_set", ds_list_set, 3);
    RegisterBuiltin("ds_list_replace", ds_list_replace, 3);
    RegisterBuiltin("ds_list_clear", ds_list_clear, 1);
    RegisterBuiltin("ds_list_copy", ds_list_copy, 2);
    RegisterBuiltin("ds_list_size", ds_list_size, 1);
    RegisterBuiltin("ds_list_empty", ds_list_empty, 1);
    RegisterBuiltin("ds_list_find_value", ds_list_find_value, 2);
    RegisterBuiltin("ds_list_find_index", ds_list_find_index, 2);
    RegisterBuiltin("ds_list_mark_as_list", ds_list_mark_as_list, 2);
    RegisterBuiltin("ds_list_mark_as_map", ds_list_mark_as_map, 2);
}
