// A stack (`ds_stack`): values pushed and popped at the top, which is the last item.
#pragma once

#include <cstdint>
#include <vector>

#include "Code/RValue.h"

class CDS_Stack {
public:
    CDS_Stack() = default;
    ~CDS_Stack();
    CDS_Stack(const CDS_Stack&) = delete;
    CDS_Stack& operator=(const CDS_Stack&) = delete;

    void Push(const RValue& value);
    // Moves the top item into result (released first); undefined when empty.
    void Pop(RValue& result);
    // The top item, or null when empty.
    const RValue* Top() const { return items_.empty() ? nullptr : &items_.back(); }
    int32_t Count() const { return static_cast<int32_t>(items_.size()); }

private:
    std::vector<RValue> items_;
};
