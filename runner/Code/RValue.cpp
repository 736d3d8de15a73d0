// Releasing and copying values, and the shared strings they hold.
#include "Code/RValue.h"

#include <cstring>

#include "Code/Memory.h"
#include "Code/ValueArray.h"

namespace {

void ReleaseString(SharedString* str) {
    bool last;
    {
        std::lock_guard lock(MemoryManagerMutex());
        last = --str->refcount <= 0;
    }
    if (!last) return;
    MemFree(str->text);
    MemFree(str);
}

} // namespace

void ReleaseReference(RValue& v) {
    switch (v.Kind()) {
    case VALUE_STRING:
        if (v.str) ReleaseString(v.str);
        break;
    case VALUE_ARRAY:
        if (v.arr) ReleaseArray(v.arr, &v);
        break;
    case VALUE_PTR:
        if ((v.flags & VALUE_FLAG_OWNED_PTR) && v.ptr) delete static_cast<OwnedPointee*>(v.ptr);
        break;
    default: // vec3 holds nothing
        break;
    }
}

void CopyValueSlow(RValue& dst, const RValue& src) {
    // Take the source's reference before dst is released: src may live inside what dst holds
    // (a = a[0]), and releasing dst could otherwise free it under us.
    const RValue copy = src;
    switch (copy.Kind()) {
    case VALUE_STRING:
        if (copy.str) ++copy.str->refcount;
        break;
    case VALUE_ARRAY:
        if (copy.arr) {
            ++copy.arr->refcount;
            if (!copy.arr->owner) copy.arr->owner = &src;
        }
        break;
    default:
        break;
    }
    FreeValue(dst);
    dst = copy;
    switch (copy.Kind()) {
    case VALUE_PTR:
        // Two owners would delete the pointee twice: only the original value owns it.
        dst.flags &= ~VALUE_FLAG_OWNED_PTR;
        break;
    case VALUE_REAL:
    case VALUE_STRING:
    case VALUE_ARRAY:
    case VALUE_OBJECT: // objects are never collected, so a new reference needs no notice
    case VALUE_INT32:
    case VALUE_INT64:
    case VALUE_BOOL:
    case VALUE_ITERATOR:
        break;
    default: // the other kinds carry no payload
        dst.v64 = 0;
        break;
    }
}

SharedString* AdoptSharedString(char* text, size_t length) {
    auto* str = static_cast<SharedString*>(MemAlloc(sizeof(SharedString)));
    str->text = text;
    str->refcount = 1;
    str->length = text ? static_cast<int32_t>(length) : 0;
    return str;
}

SharedString* NewSharedString(const char* text, size_t length) {
    if (!text) return AdoptSharedString(nullptr, 0);
    char* copy = static_cast<char*>(MemAlloc(length + 1));
    std::memcpy(copy, text, length);
    return AdoptSharedString(copy, length);
}

void MakeStringAdopt(RValue& v, char* text, size_t length) {
    FreeValue(v);
    v.str = AdoptSharedString(text, length);
    v.kind = VALUE_STRING;
}

void MakeString(RValue& v, std::string_view text) {
    SharedString* str = NewSharedString(text.data() ? text.data() : "", text.size());
    FreeValue(v);
    v.str = str;
    v.kind = VALUE_STRING;
}

void MakeString(RValue& v, const char* text) {
    SharedString* str = NewSharedString(text, text ? std::strlen(text) : 0);
    FreeValue(v);
    v.str = str;
    v.kind = VALUE_STRING;
}

char* ConcatText(const char* a, const char* b) {
    if (!a && !b) return nullptr;
    size_t a_length = a ? std::strlen(a) : 0;
    size_t b_length = b ? std::strlen(b) : 0;
    char* text = static_cast<char*>(MemAlloc(a_length + b_length + 1));
    if (a) std::memcpy(text, a, a_length);
    if (b) std::memcpy(text + a_length, b, b_length);
    return text;
}
