// Where the instances of one object keep each variable: the slots their code has used, in the
// order it first used them, each with an index into the instance's flat array of cells. A
// layout is learned as the game runs (a slot joins it the first time any instance of the object
// creates it) and only ever grows, so an index once given stays right for every instance made
// since; an instance made before a slot joined keeps that slot in its small map instead.
#pragma once

#include <cstdint>
#include <vector>

class SlotLayout {
public:
    // A layout stops growing here: slots beyond it stay in each instance's map.
    static constexpr uint32_t MAX_CELLS = 256;

    // The cell index of the slot, or a number no instance has that many cells for.
    uint32_t IndexOf(int32_t slot) const {
        return uint32_t(slot) < storage_.size() ? storage_[uint32_t(slot)] : NOT_LAID_OUT;
    }
    uint32_t CellCount() const { return cell_count_; }
    // Gives the slot the next cell index, unless it has one or the layout is full.
    void Learn(int32_t slot);

private:
    static constexpr uint32_t NOT_LAID_OUT = UINT32_MAX;

    std::vector<uint32_t> storage_; // by slot: cell index, or NOT_LAID_OUT
    uint32_t cell_count_ = 0;
};

// The layout of an object's instances; null for an instance of no object (index below 0).
// Layouts live as long as the process, so an instance may keep a pointer to its own.
SlotLayout* InstanceLayout(int32_t object_index);
// A new game learns its own layouts: the present ones are retired, still read by any instance
// that outlives the change (a test's instance made before its game loads) but given to no new
// instance.
void RetireInstanceLayouts();
