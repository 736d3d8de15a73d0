// Variable storage of objects: cells from the slot pool, found through the variable map.
#include "Variable/KxObjectBase.h"

#include "Variable/SlotPool.h"

KxObjectBase::~KxObjectBase() { ClearVariables(); }

RValue* KxObjectBase::FindOrCreateVariable(int32_t slot) {
    if (!variables_) variables_ = std::make_unique<VariableMap>();
    if (RValue* cell = variables_->Find(slot)) return cell;
    RValue* cell = VariableSlotPool().Take();
    cell->v64 = 0;
    cell->flags = 0;
    cell->kind = default_kind;
    variables_->Insert(slot, cell);
    return cell;
}

void KxObjectBase::ClearVariables() {
    if (!variables_) return;
    SlotPool& pool = VariableSlotPool();
    variables_->ForEachCell([&pool](RValue* cell) {
        FreeValue(*cell);
        pool.Give(cell);
    });
    variables_.reset();
}
