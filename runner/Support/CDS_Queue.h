// A queue (`ds_queue`): values enqueued at the tail and taken from the head.
#pragma once

#include <cstdint>
#include <deque>

#include "Code/RValue.h"

class CDS_Queue {
public:
    CDS_Queue() = default;
    ~CDS_Queue();
    CDS_Queue(const CDS_Queue&) = delete;
    CDS_Queue& operator=(const CDS_Queue&) = delete;

    void Enqueue(const RValue& value);
    // Moves the head item into result (released first); undefined when empty.
    void Dequeue(RValue& result);
    // The head item, or null when empty.
    const RValue* Head() const { return items_.empty() ? nullptr : &items_.front(); }
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }

private:
    std::deque<RValue> items_;
};
