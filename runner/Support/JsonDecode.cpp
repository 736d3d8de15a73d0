// JSON to map through json-c. The library reads numbers in the "C" locale whatever the
// process locale is.
#include "Support/JsonDecode.h"

#include <charconv>
#include <json-c/json.h>
#include <memory>
#include <string>
#include <string_view>

#include "Support/CDS_List.h"
#include "Support/CDS_Map.h"
#include "Support/DsOwnership.h"
#include "Support/DsState.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\n\v\f\r";

struct JsonDeleter {
    void operator()(json_object* object) const { json_object_put(object); }
};
using JsonPtr = std::unique_ptr<json_object, JsonDeleter>;

std::string WrapAsString(std::string_view text) {
    return "{ \"default\" : \"" + std::string(text) + "\" }";
}

// Everything that is not an object in braces becomes the member "default".
std::string WrapUnlessObject(std::string_view text) {
    size_t first = text.find_first_not_of(kBlanks);
    size_t last = text.find_last_not_of(kBlanks);
    if (first != std::string_view::npos && first < last) {
        if (text[first] == '{' && text[last] == '}') return std::string(text);
        if (text[first] == '[' && text[last] == ']')
            return "{ \"default\" : " + std::string(text) + " }";
    }
    return WrapAsString(text);
}

RValue Convert(json_object* value);

int32_t NewMap(json_object* object) {
    auto map = std::make_unique<CDS_Map>();
    json_object_iterator end = json_object_iter_end(object);
    for (json_object_iterator it = json_object_iter_begin(object);
         !json_object_iter_equal(&it, &end); json_object_iter_next(&it)) {
        json_object* member = json_object_iter_peek_value(&it);
        if (!member) continue; // null members are left out
        RValue key = UndefinedValue();
        MakeString(key, json_object_iter_peek_name(&it));
        RValue converted = Convert(member);
        map->Add(key, converted);
        FreeValue(key);
        FreeValue(converted);
    }
    return DsMaps().Add(std::move(map));
}

int32_t NewList(json_object* array) {
    auto list = std::make_unique<CDS_List>();
    size_t count = json_object_array_length(array);
    for (size_t i = 0; i < count; ++i) {
        RValue converted = Convert(json_object_array_get_idx(array, i)); // null gives undefined
        list->Add(converted);
        FreeValue(converted);
    }
    return DsLists().Add(std::move(list));
}

RValue Convert(json_object* value) {
    RValue result = UndefinedValue();
    switch (json_object_get_type(value)) {
    case json_type_boolean: return RealValue(json_object_get_boolean(value) ? 1 : 0);
    case json_type_double: return RealValue(json_object_get_double(value));
    case json_type_int: return RealValue(json_object_get_int(value));
    case json_type_string:
        MakeString(result,
                   std::string_view(json_object_get_string(value),
                                    static_cast<size_t>(json_object_get_string_len(value))));
        return result;
    case json_type_object: return MarkedHandle(DsKind::Map, NewMap(value));
    case json_type_array: return MarkedHandle(DsKind::List, NewList(value));
    case json_type_null: break;
    }
    return result;
}

} // namespace

int32_t JsonDecode(const char* text) {
    std::string_view view = text ? text : "";
    if (view.starts_with(kByteOrderMark)) view.remove_prefix(kByteOrderMark.size());
    std::string wrapped = WrapUnlessObject(view);
    JsonPtr parsed(json_tokener_parse(wrapped.c_str()));
    if (!parsed) parsed.reset(json_tokener_parse(WrapAsString(wrapped).c_str()));
    if (!parsed || !json_object_is_type(parsed.get(), json_type_object)) return -1;
    DsLock lock(DsMutex());
    return NewMap(parsed.get());
}

int32_t JsonDecodeNumber(double value) {
    char digits[400]; // the largest double has 309 digits before the point
    char* end =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2).ptr;
    return JsonDecode(("{ \"default\" : \"" + std::string(digits, end) + "\" }").c_str());
}
