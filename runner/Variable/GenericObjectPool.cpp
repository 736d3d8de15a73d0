// The free list of generic objects.
#include "Variable/GenericObjectPool.h"

KxObjectBase* GenericObjectPool::Create(int32_t slot_count) {
    if (free_.empty()) return new KxObjectBase(slot_count);
    KxObjectBase* object = free_.back().release();
    free_.pop_back();
    object->slot_count = slot_count;
    object->default_kind = VALUE_UNSET;
    return object;
}

void GenericObjectPool::Release(KxObjectBase* object) {
    object->ClearVariables();
    free_.emplace_back(object);
}

GenericObjectPool& GenericObjects() {
    static GenericObjectPool pool;
    return pool;
}
