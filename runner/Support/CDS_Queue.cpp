// Queue storage.
#include "Support/CDS_Queue.h"

CDS_Queue::~CDS_Queue() {
    for (RValue& item : items_)
        FreeValue(item);
}

void CDS_Queue::Enqueue(const RValue& value) {
    items_.push_back(UndefinedValue());
    CopyValue(items_.back(), value);
}

void CDS_Queue::Dequeue(RValue& result) {
    FreeValue(result);
    if (items_.empty()) return;
    result = items_.front();
    items_.pop_front();
}
