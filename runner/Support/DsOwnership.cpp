// Recursive destruction of owned structures.
#include "Support/DsOwnership.h"

#include "Code/NumberText.h"
#include "Support/CDS_List.h"
#include "Support/CDS_Map.h"
#include "Support/DsState.h"

namespace {

void CollectOwned(const RValue& value, std::vector<OwnedStructure>& out) {
    OwnedStructure owned;
    if (IsOwnedStructure(value, &owned)) out.push_back(owned);
}

void CollectOwned(const CDS_Map& map, std::vector<OwnedStructure>& out) {
    map.ForEach([&](const RValue&, const RValue& value) { CollectOwned(value, out); });
}

} // namespace

bool IsOwnedStructure(const RValue& value, OwnedStructure* owned) {
    if (value.Kind() != VALUE_REAL) return false;
    if (value.kind & DS_MARK_MAP)
        owned->kind = DsKind::Map;
    else if (value.kind & DS_MARK_LIST)
        owned->kind = DsKind::List;
    else
        return false;
    owned->handle = TruncToInt32(value.val);
    return true;
}

RValue MarkedHandle(DsKind kind, int32_t handle) {
    RValue value = RealValue(handle);
    value.kind |= kind == DsKind::Map ? DS_MARK_MAP : DS_MARK_LIST;
    return value;
}

void DestroyOwned(std::vector<OwnedStructure> pending, const CDS_Map* keep) {
    DsLock lock(DsMutex());
    while (!pending.empty()) {
        OwnedStructure next = pending.back();
        pending.pop_back();
        if (next.kind == DsKind::Map) {
            if (keep && DsMaps().Find(next.handle) == keep) continue;
            std::unique_ptr<CDS_Map> map = DsMaps().Take(next.handle);
            if (map) CollectOwned(*map, pending);
        } else if (std::unique_ptr<CDS_List> list = DsLists().Take(next.handle)) {
            for (int32_t i = 0; i < list->Count(); ++i)
                CollectOwned(*list->At(i), pending);
        }
    }
}

void ClearMapAndOwned(CDS_Map& map) {
    std::vector<OwnedStructure> owned;
    CollectOwned(map, owned);
    map.Clear();
    DestroyOwned(std::move(owned), &map);
}
