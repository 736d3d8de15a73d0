// The direct data-structure operations of compiled code.
#include "Support/DsOperations.h"

#include <memory>

#include "Base/OutputChannel.h"
#include "Support/CDS_Map.h"
#include "Support/CDS_Stack.h"
#include "Support/CGrid.h"
#include "Support/DsState.h"

int32_t DsStackCreate() {
    return DsStacks().Add(std::make_unique<CDS_Stack>());
}

void DsStackPush(int32_t stack, int count, const RValue* values) {
    CDS_Stack* target = DsStacks().Get(stack);
    if (!target) return;
    for (int i = 0; i < count; ++i)
        target->Push(values[i]);
}

void DsStackPop(int32_t stack, RValue& result) {
    FreeValue(result);
    if (CDS_Stack* target = DsStacks().Get(stack)) target->Pop(result);
}

int32_t DsGridCreate(int32_t width, int32_t height) {
    if (!CGrid::SizeAllowed(width, height)) {
        ShowError("ds_grid_create: a grid cannot have that size", false);
        return -1;
    }
    return DsGrids().Add(std::make_unique<CGrid>(width, height));
}

void DsGridGet(int32_t grid, int32_t x, int32_t y, RValue& result) {
    FreeValue(result);
    CGrid* target = DsGrids().Get(grid);
    if (!target) return;
    if (!target->Contains(x, y)) {
        DebugOutput().Printf("Grid %d, index out of bounds reading [%d,%d] - size is [%d,%d]\n",
                             grid, x, y, target->Width(), target->Height());
        return;
    }
    CopyValue(result, target->Cell(x, y));
}

void DsGridSet(int32_t grid, int32_t x, int32_t y, const RValue& value) {
    CGrid* target = DsGrids().Get(grid);
    if (!target) return;
    if (!target->Contains(x, y)) {
        DebugOutput().Printf("Grid %d, index out of bounds writing [%d,%d] - size is [%d,%d]\n",
                             grid, x, y, target->Width(), target->Height());
        return;
    }
    CopyValue(target->Cell(x, y), value);
}

void DsMapAdd(int32_t map, const RValue& key, const RValue& value) {
    DsLock lock(DsMutex());
    CDS_Map* target = DsMaps().Find(map);
    if (!target) {
        RaiseRuntimeError("Data structure with index %d, does not exist", map);
        return;
    }
    target->Add(key, value);
}
