// The grid built-ins; reads and writes of single cells share the accessor's direct path.
#include "Code/Builtins.h"
#include "Code/RuntimeError.h"
#include "Function/BuiltinGroups.h"
#include "Support/CGrid.h"
#include "Support/DsOperations.h"
#include "Support/DsState.h"
#include "Variable/BuiltinArgs.h"

namespace {

CGrid* GridArg(const RValue* args) {
    return DsGrids().Get(ArgInt32(args, 0));
}

void ds_grid_create(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, DsGridCreate(ArgInt32(args, 0), ArgInt32(args, 1)));
}

void ds_grid_destroy(RValue&, CInstance*, CInstance*, int, RValue* args) {
    if (GridArg(args)) DsGrids().Take(ArgInt32(args, 0));
}

void ds_grid_width(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (CGrid* grid = GridArg(args)) SetReal(result, grid->Width());
}

void ds_grid_height(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (CGrid* grid = GridArg(args)) SetReal(result, grid->Height());
}

void ds_grid_resize(RValue&, CInstance*, CInstance*, int, RValue* args) {
    CGrid* grid = GridArg(args);
    if (!grid) return;
    int32_t width = ArgInt32(args, 1);
    int32_t height = ArgInt32(args, 2);
    if (CGrid::SizeAllowed(width, height))
        grid->Resize(width, height);
    else
        ShowError("ds_grid_resize: a grid cannot have that size", false);
}

void ds_grid_clear(RValue&, CInstance*, CInstance*, int, RValue* args) {
    if (CGrid* grid = GridArg(args)) grid->Fill(args[1]);
}

void ds_grid_value_exists(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (CGrid* grid = GridArg(args))
        SetBool(result, grid->ValueExists(ArgInt32(args, 1), ArgInt32(args, 2), ArgInt32(args, 3),
                                          ArgInt32(args, 4), args[5]));
}

void ds_grid_get(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    DsGridGet(ArgInt32(args, 0), ArgInt32(args, 1), ArgInt32(args, 2), result);
}

void ds_grid_set(RValue&, CInstance*, CInstance*, int, RValue* args) {
    DsGridSet(ArgInt32(args, 0), ArgInt32(args, 1), ArgInt32(args, 2), args[3]);
}

} // namespace

void RegisterDsGridFunctions() {
    RegisterBuiltin("ds_grid_create", ds_grid_create, 2);
    RegisterBuiltin("ds_grid_destroy", ds_grid_destroy, 1);
    RegisterBuiltin("ds_grid_width", ds_grid_width, 1);
    RegisterBuiltin("ds_grid_height", ds_grid_height, 1);
    RegisterBuiltin("ds_grid_resize", ds_grid_resize, 3);
    RegisterBuiltin("ds_grid_clear", ds_grid_clear, 2);
    RegisterBuiltin("ds_grid_value_exists", ds_grid_value_exists, 6);
    RegisterBuiltin("ds_grid_get", ds_grid_get, 3);
    RegisterBuiltin("ds_grid_set", ds_grid_set, 4);
}
