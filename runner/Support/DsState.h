// What every data structure shares: the handle table of each kind, the precision of value
// comparisons inside structures, and "DsMutex", which guards the maps and JSON conversion.
#pragma once

#include <mutex>

#include "Code/ValueCompare.h"
#include "Support/DsHandleTable.h"

class CDS_Map;
class CDS_List;
class CGrid;
class CDS_Stack;
class CDS_Queue;

DsHandleTable<CDS_Map>& DsMaps();
DsHandleTable<CDS_List>& DsLists();
DsHandleTable<CGrid>& DsGrids();
DsHandleTable<CDS_Stack>& DsStacks();
DsHandleTable<CDS_Queue>& DsQueues();

// Destroys every structure of every kind and frees all handles.
void DestroyAllDataStructures();

// 0.00000001 at start; `ds_set_precision` changes it.
double DsPrecision();
void DsSetPrecision(double precision);

// Key lookup, `ds_list_find_index` and `ds_grid_value_exists` compare with this.
inline bool DsValuesEqual(const RValue& a, const RValue& b) {
    return CompareValues(a, b, DsPrecision(), false) == 0;
}

// Re-entrant: a JSON conversion that makes nested maps takes it again.
std::recursive_mutex& DsMutex();
using DsLock = std::lock_guard<std::recursive_mutex>;
