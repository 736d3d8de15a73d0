// Generic variable-holding objects (the global object among them) are recycled: a released
// object waits on a free list and is handed out again by the next creation, so short-lived
// objects do not reach the general allocator.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Variable/KxObjectBase.h"

class GenericObjectPool {
public:
    GenericObjectPool() = default;
    GenericObjectPool(const GenericObjectPool&) = delete;
    GenericObjectPool& operator=(const GenericObjectPool&) = delete;

    // An object without variables, default kind unset.
    KxObjectBase* Create(int32_t slot_count);
    // The object's variables are released at once; the object itself waits for reuse.
    void Release(KxObjectBase* object);

private:
    std::vector<std::unique_ptr<KxObjectBase>> free_;
};

GenericObjectPool& GenericObjects();
