// json_encode and json_decode: what goes into the text, what comes back, and text that is not
// what it should be.
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "../Code/ValueTestSupport.h"
#include "Support/JsonDecode.h"
#include "SupportTestSupport.h"

namespace {

// json-c switches to the "C" locale for every parse with newlocale, and glibc's newlocale leaks
// its search path while LOCPATH is set, as it is for these tests: the parses run without it.
class WithoutLocalePath {
public:
    WithoutLocalePath() {
        if (const char* path = std::getenv("LOCPATH")) path_ = path;
        unsetenv("LOCPATH");
    }
    ~WithoutLocalePath() {
        if (!path_.empty()) setenv("LOCPATH", path_.c_str(), 1);
    }
    WithoutLocalePath(const WithoutLocalePath&) = delete;
    WithoutLocalePath& operator=(const WithoutLocalePath&) = delete;

    // Loads a locale from the search path the tests were given.
    bool SetNumericLocale(const char* name) const {
        setenv("LOCPATH", path_.c_str(), 1);
        bool loaded = std::setlocale(LC_NUMERIC, name) != nullptr;
        unsetenv("LOCPATH");
        return loaded;
    }

private:
    std::string path_;
};

class Json : public BuiltinCallTest {
protected:
    WithoutLocalePath without_locale_path_;

    int32_t NewMap() { return static_cast<int32_t>(Number("ds_map_create")); }
    int32_t Decode(const char* text) {
        return static_cast<int32_t>(Number("json_decode", Str(text)));
    }
    ScopedRValue Find(int32_t map, const char* key) {
        return Call("ds_map_find_value", Num(map), Str(key));
    }
    ScopedRValue Item(double list, int position) {
        return Call("ds_list_find_value", Num(list), Num(position));
    }
};

TEST_F(Json, NestedMapsAndListsSurviveARoundTrip) {
    int32_t save = NewMap();
    int32_t options = NewMap();
    int32_t bindings = static_cast<int32_t>(Number("ds_list_create"));
    int32_t pair = static_cast<int32_t>(Number("ds_list_create"));
    Call("ds_map_set", Num(save), Str("name"), Str("Mireth \"the brave\"\n\\ é"));
    Call("ds_map_set", Num(save), Str("hp"), Num(2.5));
    Call("ds_map_set", Num(save), Str("coins"), Num(3e9)); // beyond 32 bits: must stay a double
    Call("ds_map_set", Num(save), Str("tiny"), Num(-1e-300));
    Call("ds_map_set", Num(save), Str("tenth"), Num(0.1));
    Call("ds_map_add_map", Num(save), Str("options"), Num(options));
    Call("ds_map_set", Num(options), Str("scale"), Num(3));
    Call("ds_map_add_list", Num(save), Str("bindings"), Num(bindings));
    Call("ds_list_add", Num(pair), Num(32), Str("space"));
    Call("ds_list_add", Num(bindings), Num(pair), Str("after"));
    Call("ds_list_mark_as_list", Num(bindings), Num(0));

    std::string text = Text("json_encode", Num(save));
    int32_t loaded = Decode(text.c_str());
    ASSERT_GE(loaded, 0) << text;
    EXPECT_EQ(Text("json_encode", Num(loaded)), text);
    EXPECT_EQ(Text("ds_map_find_value", Num(loaded), Str("name")), "Mireth \"the brave\"\n\\ é");
    EXPECT_EQ(Find(loaded, "hp").val, 2.5);
    EXPECT_EQ(Find(loaded, "coins").val, 3e9);
    EXPECT_EQ(Find(loaded, "tiny").val, -1e-300);
    EXPECT_EQ(Find(loaded, "tenth").val, 0.1);
    ScopedRValue loaded_options = Find(loaded, "options");
    EXPECT_EQ(loaded_options.kind, static_cast<uint32_t>(VALUE_REAL));
    EXPECT_EQ(Find(static_cast<int32_t>(loaded_options.val), "scale").val, 3);
    ScopedRValue loaded_bindings = Find(loaded, "bindings");
    EXPECT_EQ(Number("ds_list_size", loaded_bindings), 2);
    double loaded_pair = Item(loaded_bindings.val, 0).val;
    EXPECT_EQ(ValueText(Item(loaded_pair, 1)), "space");
    EXPECT_EQ(ValueText(Item(loaded_bindings.val, 1)), "after");

    // The decoded map owns what it made: destroying it frees every nested handle.
    Call("ds_map_destroy", Num(loaded));
    EXPECT_EQ(Number("ds_list_create"), std::min(loaded_pair, loaded_bindings.val));
    EXPECT_EQ(Number("ds_list_create"), std::max(loaded_pair, loaded_bindings.val));
    EXPECT_EQ(Number("ds_map_create"), std::min<double>(loaded_options.val, loaded));
}

TEST_F(Json, EveryValueKindHasItsJsonForm) {
    int32_t map =
        static_cast<int32_t>(Number("ds_map_create", Num(1))); // one bucket: entries in order
    ScopedRValue array = Call("@@NewPSLArray@@", Num(1), Str("b"));
    Call("ds_map_set", Num(map), Str("int32"), Int32Value(-7));
    Call("ds_map_set", Num(map), Str("int64"), Int64Value(9000000000));
    Call("ds_map_set", Num(map), Str("bool"), BoolValue(true));
    Call("ds_map_set", Num(map), Str("undefined"), UndefinedValue());
    Call("ds_map_set", Num(map), Str("array"), array);
    Call("ds_map_set", Num(map), Str("nan"), Num(std::nan("")));
    Call("ds_map_set", Num(map), Str("infinity"), Num(-INFINITY));
    Call("ds_map_set", Num(map), Num(3), Str("three"));
    Call("ds_map_set", Num(map), Num(2.5), Str("two and a half"));
    Call("ds_map_set", Num(map), Str("gone"), Num(map + 5));
    EXPECT_EQ(
        Text("json_encode", Num(map)),
        "{\"int32\":-7,\"int64\":9000000000,\"bool\":true,\"undefined\":null,\"array\":[1.0,\"b\"],"
        "\"nan\":NaN,\"infinity\":-Infinity,\"3\":\"three\",\"2.50\":\"two and a half\",\"gone\":" +
            std::to_string(map + 5) + ".0}");
    ScopedRValue owned_but_missing = ScopedRValue(RealValue(map + 5));
    owned_but_missing.kind |= 0x80000000u;
    Call("ds_map_set", Num(map), Str("gone"), owned_but_missing);
    EXPECT_NE(Text("json_encode", Num(map)).find("\"gone\":null"), std::string::npos);

    RuntimeErrorCapture errors;
    ScopedRValue missing = Call("json_encode", Num(map + 1));
    EXPECT_EQ(missing.Kind(), VALUE_STRING);
    EXPECT_EQ(StringView(missing), "");
    EXPECT_EQ(errors.Messages().size(), 1u);
}

TEST_F(Json, TextThatIsNotAnObjectBecomesTheMemberDefault) {
    int32_t array = Decode("\xEF\xBB\xBF  [1, 2] \n");
    ScopedRValue list = Find(array, "default");
    EXPECT_EQ(Number("ds_list_size", list), 2);
    EXPECT_EQ(Item(list.val, 1).val, 2);
    EXPECT_EQ(Text("ds_map_find_value", Num(Decode("hello")), Str("default")), "hello");
    EXPECT_EQ(Text("ds_map_find_value", Num(Number("json_decode", Num(3))), Str("default")),
              "3.00");
    EXPECT_EQ(Text("ds_map_find_value", Num(Decode("")), Str("default")), "");
    EXPECT_EQ(Text("ds_map_find_value", Num(Decode("{not json}")), Str("default")),
              "{not json}"); // second try
    EXPECT_EQ(Text("ds_map_find_value", Num(Decode("[1,")), Str("default")), "[1,");
    EXPECT_EQ(Find(Decode("\xEF\xBB\xBF{\"a\":1}"), "a").val, 1);

    int32_t nulls = Decode("{\"absent\": null, \"list\": [null, true], \"big\": 3000000000}");
    EXPECT_EQ(Number("ds_map_exists", Num(nulls), Str("absent")), 0);
    ScopedRValue with_null = Find(nulls, "list");
    EXPECT_EQ(Item(with_null.val, 0).Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(Item(with_null.val, 1).val, 1);
    EXPECT_EQ(Find(nulls, "big").val, 2147483647); // integers come through 32 bits

    int32_t next = NewMap();
    Call("ds_map_destroy", Num(next));
    EXPECT_EQ(Decode("[\"a\" x]"), -1); // fails wrapped and wrapped again
    EXPECT_EQ(Decode("{\"a\": [1, {\"b\": }]}"), -1);
    EXPECT_EQ(NewMap(), next);              // a failed decode makes nothing
    EXPECT_EQ(Number("ds_list_create"), 2); // only the two decoded lists exist
}

TEST_F(Json, NumbersIgnoreTheProcessLocale) {
    ASSERT_TRUE(without_locale_path_.SetNumericLocale("de_DE.UTF-8")) << "the build makes this locale";
    int32_t map = NewMap();
    Call("ds_map_set", Num(map), Str("volume"), Num(0.75));
    std::string text = Text("json_encode", Num(map));
    int32_t loaded = Decode("{\"volume\": 0.75, \"gain\": 1.5e-3}");
    int32_t wrapped = static_cast<int32_t>(Number("json_decode", Num(2.5)));
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "{\"volume\":0.75}");
    EXPECT_EQ(Find(loaded, "volume").val, 0.75);
    EXPECT_EQ(Find(loaded, "gain").val, 1.5e-3);
    EXPECT_EQ(Text("ds_map_find_value", Num(wrapped), Str("default")), "2.50");
}

TEST(JsonDecode, TextDeeperThanTheParserAllowsIsRefused) {
    WithoutLocalePath without_locale_path;
    std::string deep = std::string(5000, '[') + std::string(5000, ']');
    EXPECT_EQ(JsonDecode(deep.c_str()), -1);
    EXPECT_EQ(JsonDecode(nullptr), 0); // a string without text is the empty text
    DestroyAllDataStructures();
}

} // namespace
