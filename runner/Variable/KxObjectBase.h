// An object that holds script variables: instances, the global object and method objects.
// Variables are addressed by slot number; a slot that was never written reads as the object's
// default kind (unset).
//
// An instance keeps the variables its object's code uses in a flat array of cells, indexed
// through its object's slot layout (SlotLayout.h); any other slot (one that joined the layout
// after the instance was made, one set at run time beyond a full layout) and every variable of
// an object without a layout lives in a small variable map created on first use.
#pragma once

#include <cstdint>
#include <memory>

#include "Variable/CInstanceBase.h"
#include "Variable/CellArrays.h"
#include "Variable/SlotLayout.h"
#include "Variable/VariableMap.h"

class CInstance;

class KxObjectBase : public CInstanceBase {
public:
    explicit KxObjectBase(int32_t slots) : slot_count(slots) {}
    // Laid out by `layout` (may be null): cells for every slot it holds now.
    KxObjectBase(int32_t slots, SlotLayout* layout);
    ~KxObjectBase() override;

    // Final, so that calls through a KxObjectBase (the game API's Var) are direct, and the
    // laid-out case inline.
    RValue* FindOrCreateVariable(int32_t slot) final {
        if (RValue* cell = LaidOutCell(slot)) {
            if (cell->kind == VALUE_KIND_NOT_CREATED) cell->kind = default_kind;
            return cell;
        }
        return FindOrCreateBeyondCells(slot);
    }
    // The cell of variable `slot`, or null when it was never created.
    RValue* FindSlot(int32_t slot) const {
        if (RValue* cell = LaidOutCell(slot)) return cell->kind == VALUE_KIND_NOT_CREATED ? nullptr : cell;
        return variables_ ? variables_->Find(slot) : nullptr;
    }
    // The map of the variables kept outside the flat cells; null when there is none yet.
    const VariableMap* Variables() const { return variables_.get(); }
    // Releases every variable's value; cells return to their pools.
    void ClearVariables();

    // Built-in variables read and write instance fields: they are given this, or null.
    virtual CInstance* AsInstance() { return nullptr; }
    // A callable method object names itself "method" rather than "object".
    virtual bool IsMethod() const { return false; }
    // What a built-in reading a number gets for this object: an instance's id, a method's
    // function index.
    virtual double NumberValue() const { return 0; }

    // Heap bytes of the map of variables outside the flat cells: the map, its table, its cells.
    uint64_t MapBytes() const;
    // Asks for the cells ahead of use, for walks over many instances.
    void PrefetchCells() const { __builtin_prefetch(cells_); }

    int32_t slot_count; // variables the object may hold; reads find nothing when 0 or less
    uint32_t default_kind = VALUE_UNSET;

private:
    RValue* LaidOutCell(int32_t slot) const {
        if (!layout_) return nullptr;
        const uint32_t index = layout_->IndexOf(slot);
        return index < cell_count_ ? &cells_[index] : nullptr;
    }
    RValue* FindOrCreateBeyondCells(int32_t slot);
    void ReleaseMap();

    SlotLayout* layout_ = nullptr;
    // The cell array's two halves apart, the count last: an instance's own fields start in the
    // four bytes after it, which keeps an instance to four cache lines.
    RValue* cells_ = nullptr;
    std::unique_ptr<VariableMap> variables_;
    uint32_t cell_count_ = 0;
};
