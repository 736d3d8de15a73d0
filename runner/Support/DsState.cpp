// The shared data-structure state, created on first use.
#include "Support/DsState.h"

#include "Code/Memory.h"
#include "Support/CDS_List.h"
#include "Support/CDS_Map.h"
#include "Support/CDS_Queue.h"
#include "Support/CDS_Stack.h"
#include "Support/CGrid.h"

namespace {

double g_precision = 0.00000001;

struct DsTables {
    // Structures still alive at exit release their strings under this lock, so it must be
    // made first and outlive the tables.
    DsTables() { MemoryManagerMutex(); }

    DsHandleTable<CDS_Map> maps;
    DsHandleTable<CDS_List> lists;
    DsHandleTable<CGrid> grids;
    DsHandleTable<CDS_Stack> stacks;
    DsHandleTable<CDS_Queue> queues;
};

DsTables& Tables() {
    static DsTables tables;
    return tables;
}

} // namespace

DsHandleTable<CDS_Map>& DsMaps() {
    return Tables().maps;
}
DsHandleTable<CDS_List>& DsLists() {
    return Tables().lists;
}
DsHandleTable<CGrid>& DsGrids() {
    return Tables().grids;
}
DsHandleTable<CDS_Stack>& DsStacks() {
    return Tables().stacks;
}
DsHandleTable<CDS_Queue>& DsQueues() {
    return Tables().queues;
}

void DestroyAllDataStructures() {
    DsLock lock(DsMutex());
    DsMaps().Clear();
    DsLists().Clear();
    DsGrids().Clear();
    DsStacks().Clear();
    DsQueues().Clear();
}

double DsPrecision() {
    return g_precision;
}
void DsSetPrecision(double precision) {
    g_precision = precision;
}

std::recursive_mutex& DsMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}
