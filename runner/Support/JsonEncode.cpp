// Map to JSON through json-c. Doubles are formatted here, not by the library, so the text never
// depends on the process locale and reads back as the same double.
#include "Support/JsonEncode.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <json-c/json.h>
#include <vector>

#include "Code/ValueText.h"
#include "Support/CDS_List.h"
#include "Support/CDS_Map.h"
#include "Support/DsOwnership.h"
#include "Support/DsState.h"

namespace {

json_object* JsonDouble(double value) {
    char text[32];
    if (std::isnan(value)) return json_object_new_double_s(value, "NaN");
    if (std::isinf(value))
        return json_object_new_double_s(value, value > 0 ? "Infinity" : "-Infinity");
    char* end = std::to_chars(text, text + sizeof text - 3, value).ptr;
    // A double must read back as a double, not as an integer cut to 32 bits.
    if (std::none_of(text, end, [](char c) { return c == '.' || c == 'e'; }))
        end = std::copy_n(".0", 2, end);
    *end = '\0';
    return json_object_new_double_s(value, text);
}

class Encoder {
public:
    json_object* Map(const CDS_Map& map) {
        Enter guard(*this, &map);
        json_object* object = json_object_new_object();
        map.ForEach([&](const RValue& key, const RValue& value) {
            std::string name = ValueText(key);
            json_object_object_add(object, name.c_str(), Value(value));
        });
        return object;
    }

private:
    // Marks a structure as being converted for as long as its conversion runs.
    class Enter {
    public:
        Enter(Encoder& encoder, const void* structure) : encoder_(encoder) {
            encoder_.path_.push_back(structure);
        }
        ~Enter() { encoder_.path_.pop_back(); }
        Enter(const Enter&) = delete;
        Enter& operator=(const Enter&) = delete;

    private:
        Encoder& encoder_;
    };

    bool MayEnter(const void* structure) const {
        return structure && path_.size() < static_cast<size_t>(kJsonMaxNesting) &&
               std::find(path_.begin(), path_.end(), structure) == path_.end();
    }

    json_object* List(const CDS_List& list) {
        Enter guard(*this, &list);
        json_object* array = json_object_new_array_ext(list.Count());
        for (int32_t i = 0; i < list.Count(); ++i)
            json_object_array_add(array, Value(*list.At(i)));
        return array;
    }

    json_object* Row(const ArrayRow& row) {
        json_object* array = json_object_new_array_ext(row.length);
        for (int32_t i = 0; i < row.length; ++i)
            json_object_array_add(array, Value(row.items[i]));
        return array;
    }

    // One row is the array itself; more rows become an array of rows.
    json_object* Array(const SharedArray& shared) {
        Enter guard(*this, &shared);
        if (shared.row_count == 1) return Row(shared.rows[0]);
        json_object* rows = json_object_new_array_ext(shared.row_count);
        for (int32_t i = 0; i < shared.row_count; ++i)
            json_object_array_add(rows, Row(shared.rows[i]));
        return rows;
    }

    json_object* Owned(const OwnedStructure& owned) {
        if (owned.kind == DsKind::Map) {
            const CDS_Map* map = DsMaps().Find(owned.handle);
            return MayEnter(map) ? Map(*map) : nullptr;
        }
        const CDS_List* list = DsLists().Find(owned.handle);
        return MayEnter(list) ? List(*list) : nullptr;
    }

    json_object* Value(const RValue& value) {
        OwnedStructure owned;
        if (IsOwnedStructure(value, &owned)) return Owned(owned);
        switch (value.Kind()) {
        case VALUE_REAL: return JsonDouble(value.val);
        case VALUE_INT32: return json_object_new_int64(value.v32);
        case VALUE_INT64: return json_object_new_int64(value.v64);
        case VALUE_BOOL: return json_object_new_boolean(value.val != 0);
        case VALUE_STRING: {
            std::string_view text = StringView(value);
            return json_object_new_string_len(text.data() ? text.data() : "",
                                              static_cast<int>(text.size()));
        }
        case VALUE_PTR: {
            char text[32];
            std::snprintf(text, sizeof text, "%p", value.ptr);
            return json_object_new_string(text);
        }
        case VALUE_ARRAY: return MayEnter(value.arr) ? Array(*value.arr) : nullptr;
        case VALUE_OBJECT:
            // Objects have no members of their own to write yet: the game makes none.
            return value.obj ? json_object_new_object() : nullptr;
        default: return nullptr; // undefined and the kinds without a JSON form: null
        }
    }

    std::vector<const void*> path_;
};

} // namespace

std::string JsonEncode(const CDS_Map& map) {
    DsLock lock(DsMutex());
    json_object* object = Encoder().Map(map);
    std::string text = json_object_to_json_string_ext(object, JSON_C_TO_STRING_PLAIN |
                                                                  JSON_C_TO_STRING_NOSLASHESCAPE);
    json_object_put(object);
    return text;
}
