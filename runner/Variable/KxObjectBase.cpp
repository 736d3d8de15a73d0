// Variable storage of objects: laid-out cells in a flat array, the rest in the variable map
// with cells from the slot pool.
#include "Variable/KxObjectBase.h"

#include "Variable/SlotPool.h"

KxObjectBase::KxObjectBase(int32_t slots, SlotLayout* layout) : slot_count(slots), layout_(layout) {
    if (!layout) return;
    const CellArray cells = TakeCells(layout->CellCount());
    cells_ = cells.cells;
    cell_count_ = cells.count;
}

KxObjectBase::~KxObjectBase() {
    ReleaseMap();
    GiveCells({cells_, cell_count_});
}

// A slot not in the flat cells yet. An instance's array is made for the layout as it was then,
// rounded up, so a slot that joins the layout now may still land in a spare cell of its own.
RValue* KxObjectBase::FindOrCreateBeyondCells(int32_t slot) {
    if (variables_)
        if (RValue* cell = variables_->Find(slot)) return cell;
    if (layout_) {
        // Instances made from now on keep the slot in their flat cells, and so does this one
        // when its array has a cell to spare at the slot's new index.
        layout_->Learn(slot);
        if (RValue* cell = LaidOutCell(slot)) {
            cell->kind = default_kind;
            return cell;
        }
    }
    if (!variables_) variables_ = std::make_unique<VariableMap>();
    RValue* cell = VariableSlotPool().Take();
    cell->v64 = 0;
    cell->flags = 0;
    cell->kind = default_kind;
    variables_->Insert(slot, cell);
    return cell;
}

void KxObjectBase::ClearVariables() {
    for (uint32_t i = 0; i < cell_count_; ++i) {
        FreeValue(cells_[i]);
        cells_[i].kind = VALUE_KIND_NOT_CREATED;
    }
    ReleaseMap();
}

void KxObjectBase::ReleaseMap() {
    if (!variables_) return;
    SlotPool& pool = VariableSlotPool();
    variables_->ForEachCell([&pool](RValue* cell) {
        FreeValue(*cell);
        pool.Give(cell);
    });
    variables_.reset();
}

uint64_t KxObjectBase::MapBytes() const {
    if (!variables_) return 0;
    return sizeof(VariableMap) + variables_->TableBytes() + uint64_t(variables_->Count()) * sizeof(RValue);
}
