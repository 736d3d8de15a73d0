// A live instance of an object, as far as variables are concerned: its id, its object and the
// state flags that variable look-ups through targets respect. Every instance variable lives in
// the variable map. Position, sprite, motion and the rest of the record are added with the
// instance lifecycle.
#pragma once

#include <cstdint>

#include "Variable/KxObjectBase.h"

constexpr uint32_t INSTANCE_FLAG_MARKED = 0x1; // destroyed, awaiting removal
constexpr uint32_t INSTANCE_FLAG_DEACTIVATED = 0x2;

class CInstance : public KxObjectBase {
public:
    // Holds as many variables as the game declares for instances.
    CInstance(int32_t instance_id, int32_t object);

    CInstance* AsInstance() override { return this; }
    double NumberValue() const override { return id; }

    bool IsMarked() const { return (flags & INSTANCE_FLAG_MARKED) != 0; }
    // Neither deactivated nor marked for destruction: what target look-ups may select.
    bool IsLive() const {
        return (flags & (INSTANCE_FLAG_MARKED | INSTANCE_FLAG_DEACTIVATED)) == 0;
    }

    int32_t id;
    int32_t object_index;
    uint32_t flags = 0;
};
