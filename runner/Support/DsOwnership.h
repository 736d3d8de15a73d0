// Ownership between structures. A number stored in a map or list may carry a mark in the high
// bits of its kind word saying that it is the handle of a map or list owned by the container:
// marks make JSON conversion nest and destruction recursive. Scripts never see marks: reading
// a value out of a structure clears them.
#pragma once

#include <cstdint>
#include <vector>

#include "Code/RValue.h"

constexpr uint32_t DS_MARK_MAP = 0x80000000u;
constexpr uint32_t DS_MARK_LIST = 0x40000000u;
constexpr uint32_t DS_MARK_BITS = ~VALUE_KIND_MASK;

class CDS_Map;

enum class DsKind { Map, List };

struct OwnedStructure {
    DsKind kind;
    int32_t handle;
};

// Whether the value is a marked handle, and of what.
bool IsOwnedStructure(const RValue& value, OwnedStructure* owned);

// The number `handle` marked as an owned map or list.
RValue MarkedHandle(DsKind kind, int32_t handle);

// Copies a value out of a structure, as scripts see it.
inline void CopyUnmarked(RValue& dst, const RValue& src) {
    CopyValue(dst, src);
    dst.kind &= VALUE_KIND_MASK;
}

// Destroys the structures and, in turn, everything they own. A structure met a second time
// (a cycle, or two owners) is already gone and is skipped, and the walk keeps its own work
// list, so neither a cycle nor a deep chain can loop or exhaust the stack. `keep`, when given,
// survives even if something in the walk owns it.
void DestroyOwned(std::vector<OwnedStructure> pending, const CDS_Map* keep = nullptr);

// Empties the map, destroying what its entries owned; the map itself stays.
void ClearMapAndOwned(CDS_Map& map);
