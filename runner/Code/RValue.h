// RValue: the 16-byte tagged value behind every variable, argument, result, array element and
// data-structure entry, with the reference-counted strings and arrays it shares.
//
// RValue is plain data: it is moved by 16-byte copies and has no destructor. Whoever holds one
// releases it with FreeValue before overwriting it (CopyValue, MakeString and the Set helpers do
// that themselves). ScopedRValue is the self-releasing form for locals in C++ code.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

class KxObjectBase;
struct RValue;

enum ValueKind : uint32_t {
    VALUE_REAL = 0,
    VALUE_STRING = 1,
    VALUE_ARRAY = 2,
    VALUE_PTR = 3,
    VALUE_VEC3 = 4,
    VALUE_UNDEFINED = 5,
    VALUE_OBJECT = 6,
    VALUE_INT32 = 7,
    VALUE_VEC4 = 8,
    VALUE_VEC44 = 9,
    VALUE_INT64 = 10,
    VALUE_ACCESSOR = 11,
    VALUE_NULL = 12,
    VALUE_BOOL = 13,
    VALUE_ITERATOR = 14,
    VALUE_UNSET = 0xFFFFFF,
};

// The low 24 bits of the kind word select the kind; the high 8 bits are marks that copies carry
// along (data structures keep theirs there) and kind tests ignore.
constexpr uint32_t VALUE_KIND_MASK = 0xFFFFFF;
// On a ptr value: the pointee is owned and deleted when the value is released.
constexpr uint32_t VALUE_FLAG_OWNED_PTR = 8;

struct SharedString {
    char* text; // NUL-terminated, may be null
    int32_t refcount;
    int32_t length; // bytes, without the NUL
};

struct ArrayRow {
    int32_t length;
    int32_t capacity; // room in items; rows grow geometrically while length grows exactly
    RValue* items;
};

struct SharedArray {
    int32_t refcount;
    ArrayRow* rows;
    // The one value that may write in place while the array is shared. Only ever compared with
    // a value's address, never followed, so a value that moved simply stops being the owner.
    const RValue* owner;
    uint32_t visit_mark; // text form: detects an array met twice
    int32_t row_count;
};

// Base of anything an owned ptr value points at, so that releasing the value can delete it.
class OwnedPointee {
public:
    virtual ~OwnedPointee() = default;
};

struct RValue {
    union {
        double val;
        int32_t v32;
        int64_t v64;
        void* ptr;
        SharedString* str;
        SharedArray* arr;
        KxObjectBase* obj;
    };
    uint32_t flags;
    uint32_t kind;

    ValueKind Kind() const { return static_cast<ValueKind>(kind & VALUE_KIND_MASK); }
};
static_assert(sizeof(RValue) == 16, "an RValue is 16 bytes");

// --- Making values (for fresh storage: nothing is released) -------------------------------

inline RValue RealValue(double d) {
    RValue v;
    v.val = d;
    v.flags = 0;
    v.kind = VALUE_REAL;
    return v;
}
inline RValue BoolValue(bool b) {
    RValue v = RealValue(b ? 1.0 : 0.0);
    v.kind = VALUE_BOOL;
    return v;
}
inline RValue Int32Value(int32_t i) {
    RValue v;
    v.v64 = 0;
    v.v32 = i;
    v.flags = 0;
    v.kind = VALUE_INT32;
    return v;
}
inline RValue Int64Value(int64_t i) {
    RValue v;
    v.v64 = i;
    v.flags = 0;
    v.kind = VALUE_INT64;
    return v;
}
inline RValue UndefinedValue() {
    RValue v;
    v.v64 = 0;
    v.flags = 0;
    v.kind = VALUE_UNDEFINED;
    return v;
}
inline RValue UnsetValue() {
    RValue v = UndefinedValue();
    v.kind = VALUE_UNSET;
    return v;
}

// --- Release and copy ---------------------------------------------------------------------

// True for the kinds that hold a reference (string, array, ptr, vec3), tested on the whole word.
inline bool OwnsReference(const RValue& v) { return ((v.kind - 1) & 0xFFFFFC) == 0; }

void ReleaseReference(RValue& v);

// Releases what the value owns and leaves it undefined.
inline void FreeValue(RValue& v) {
    if (OwnsReference(v)) {
        ReleaseReference(v);
        v.v64 = 0;
    }
    v.flags = 0;
    v.kind = VALUE_UNDEFINED;
}

void CopyValueSlow(RValue& dst, const RValue& src);

// Releases dst and makes it a copy of src, sharing strings and arrays.
inline void CopyValue(RValue& dst, const RValue& src) {
    if (&dst == &src) return;
    if (!OwnsReference(dst) && !OwnsReference(src) && src.Kind() != VALUE_OBJECT) {
        dst = src;
        return;
    }
    CopyValueSlow(dst, src);
}

inline void SetReal(RValue& v, double d) {
    FreeValue(v);
    v = RealValue(d);
}
inline void SetBool(RValue& v, bool b) {
    FreeValue(v);
    v = BoolValue(b);
}

// --- Strings ------------------------------------------------------------------------------

// A new record holding a private copy of the bytes (refcount 1). A null text gives a record
// whose text is null.
SharedString* NewSharedString(const char* text, size_t length);
// Takes over a MemAlloc'd, NUL-terminated text.
SharedString* AdoptSharedString(char* text, size_t length);

// Releases the value and makes it a new string.
void MakeString(RValue& v, const char* text);
void MakeString(RValue& v, std::string_view text);
// Releases the value and makes it a string that takes over a MemAlloc'd text.
void MakeStringAdopt(RValue& v, char* text, size_t length);

// A MemAlloc'd text: a followed by b; one null side gives a copy of the other, both null gives
// null.
char* ConcatText(const char* a, const char* b);

// The bytes of a string value; empty for a null record or text, and for other kinds.
inline std::string_view StringView(const RValue& v) {
    if (v.Kind() != VALUE_STRING || !v.str || !v.str->text) return {};
    return {v.str->text, static_cast<size_t>(v.str->length)};
}

// --- Self-releasing values ----------------------------------------------------------------

class ScopedRValue : public RValue {
public:
    ScopedRValue() : RValue(UndefinedValue()) {}
    ScopedRValue(const RValue& v) : RValue(UndefinedValue()) { CopyValue(*this, v); }
    ScopedRValue(const ScopedRValue& v) : RValue(UndefinedValue()) { CopyValue(*this, v); }
    ScopedRValue& operator=(const RValue& v) {
        CopyValue(*this, v);
        return *this;
    }
    ScopedRValue& operator=(const ScopedRValue& v) {
        CopyValue(*this, v);
        return *this;
    }
    ~ScopedRValue() { FreeValue(*this); }
};
