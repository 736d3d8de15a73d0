// Data-structure operations that compiled code calls directly, with unboxed arguments, instead
// of through the built-in registry. Each behaves as the built-in of the same name; the grid
// reads and writes are the accessor form grid[# x, y].
#pragma once

#include <cstdint>

#include "Code/RValue.h"

// ds_stack_create, ds_stack_push (each of `count` values in order), ds_stack_pop (an empty
// stack gives undefined).
int32_t DsStackCreate();
void DsStackPush(int32_t stack, int count, const RValue* values);
void DsStackPop(int32_t stack, RValue& result);

// ds_grid_create: cells hold number 0. A negative or huge size is reported and gives -1.
int32_t DsGridCreate(int32_t width, int32_t height);
// grid[# x, y]: a bad handle or a cell outside the grid gives undefined, with a report or a
// debug line.
void DsGridGet(int32_t grid, int32_t x, int32_t y, RValue& result);
// grid[# x, y] = value; outside the grid nothing changes.
void DsGridSet(int32_t grid, int32_t x, int32_t y, const RValue& value);

// ds_map_add: adds the entry only when the key is absent. A bad handle is a fatal script
// error.
void DsMapAdd(int32_t map, const RValue& key, const RValue& value);
