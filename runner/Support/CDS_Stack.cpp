// Stack storage.
#include "Support/CDS_Stack.h"

CDS_Stack::~CDS_Stack() {
    for (RValue& item : items_)
        FreeValue(item);
}

void CDS_Stack::Push(const RValue& value) {
    items_.push_back(UndefinedValue());
    CopyValue(items_.back(), value);
}

void CDS_Stack::Pop(RValue& result) {
    FreeValue(result);
    if (items_.empty()) return;
    result = items_.back();
    items_.pop_back();
}
