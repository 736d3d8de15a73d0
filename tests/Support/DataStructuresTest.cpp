// Maps, lists, grids, stacks and queues through the built-ins and compiled code's direct calls.
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "../Code/ValueTestSupport.h"
#include "Code/GameConstants.h"
#include "Support/DsOperations.h"
#include "Support/JsonDecode.h"
#include "Support/MapKeyHash.h"
#include "SupportTestSupport.h"

namespace {

constexpr const char* kMissing = "Data structure with index does not exist.";
using Ids = std::vector<int32_t>;

// json-c switches to the "C" locale for every parse with newlocale, and glibc's newlocale leaks
// its search path while LOCPATH is set, as it is for these tests: the parses run without it.
class WithoutLocalePath {
public:
    WithoutLocalePath() : path_(std::getenv("LOCPATH") ? std::getenv("LOCPATH") : "") {
        unsetenv("LOCPATH");
    }
    ~WithoutLocalePath() {
        if (!path_.empty()) setenv("LOCPATH", path_.c_str(), 1);
    }
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

class DataStructures : public BuiltinCallTest {
protected:
    int32_t Make(const char* create, auto... args) { return int32_t(Number(create, args...)); }
    std::string Json(int32_t map) { return Text("json_encode", Num(map)); }
    int32_t Decode(const char* text) { return int32_t(Number("json_decode", Str(text))); }
    ScopedRValue Find(double map, const char* key) {
        return Call("ds_map_find_value", Num(map), Str(key));
    }
    ScopedRValue ListItem(double list, int i) {
        return Call("ds_list_find_value", Num(list), Num(i));
    }

    WithoutLocalePath without_locale_path_;
};

TEST(MapKeyHash, TextIsCrc32WithoutTheFinalInversionAndNumbersTheirValue) {
    // The standard check value, uninverted.
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u ^ 0xFFFFFFFFu);
    EXPECT_EQ(Crc32("", 0), 0xFFFFFFFFu);
    EXPECT_EQ(Crc32("\0", 1), 0xD202EF8Du ^ 0xFFFFFFFFu); // the table's last entry
    EXPECT_EQ(MapKeyHash(Str("123456789")), 0x340BC6D9u);
    EXPECT_EQ(MapKeyHash(Str("")), 0xFFFFFFFFu);
    EXPECT_EQ(MapKeyHash(NullTextStr()), 0xFFFFFFFFu);
    EXPECT_EQ(MapKeyHash(Str(std::string_view("ab\0cd", 5))), MapKeyHash(Str("ab"))); // to the NUL
    // Numbers hash their value, whatever their kind.
    uint32_t one = MapKeyHash(RealValue(1));
    EXPECT_EQ(MapKeyHash(Int32Value(1)), one);
    EXPECT_EQ(MapKeyHash(Int64Value(1)), one);
    EXPECT_EQ(MapKeyHash(BoolValue(true)), one);
    EXPECT_NE(MapKeyHash(RealValue(2)), one);
    EXPECT_NE(MapKeyHash(Str("1")), one);
    EXPECT_EQ(MapKeyHash(UndefinedValue()), 0u);
    EXPECT_EQ(MapKeyHash(UnsetValue()), 0u);
}

TEST_F(DataStructures, HandlesReuseTheLowestFreeIndexOfTheirOwnKind) {
    // Kinds overlap.
    EXPECT_EQ((Ids{Make("ds_map_create"), Make("ds_map_create"), Make("ds_map_create"),
                   Make("ds_list_create")}),
              (Ids{0, 1, 2, 0}));
    Call("ds_map_destroy", Num(1));
    Call("ds_map_destroy", Num(0));
    EXPECT_EQ((Ids{Make("ds_map_create"), Make("ds_map_create"), Make("ds_map_create"),
                   DsStackCreate(), Make("ds_queue_create"), DsGridCreate(2, 2)}),
              (Ids{0, 1, 3, 0, 0, 0}));
    // Whether an id names a structure depends on its kind.
    const int exists[][3] = {{3, ds_type_map, 1}, {4, ds_type_map, 0}, {0, ds_type_grid, 1},
                             {1, ds_type_list, 0}, {0, ds_type_priority, 0}};
    for (const auto& [id, type, expected] : exists)
        EXPECT_EQ(Number("ds_exists", Num(id), Num(type)), expected) << id << " " << type;

    RuntimeErrorCapture errors;
    Call("ds_list_destroy", Num(0));
    EXPECT_EQ(Call("ds_list_size", Num(0)).Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(Find(-1, "k").Kind(), VALUE_UNDEFINED);
    Call("ds_map_set", Num(99), Str("k"), Num(1));
    Call("ds_grid_destroy", Num(7));
    Call("ds_queue_enqueue", Num(4), Num(1));
    // Compiled code's direct calls on a missing stack or grid change nothing and read nothing.
    ScopedRValue value = Num(1);
    DsStackPush(5, 1, &value);
    DsGridSet(5, 0, 0, value);
    DsStackPop(5, value);
    EXPECT_EQ(value.Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(errors.Messages(), std::vector<std::string>(8, kMissing));
}

TEST_F(DataStructures, MapsListEntriesInBucketOrderAndKeepTheirPlaceWhenSet) {
    const int32_t map = Make("ds_map_create");
    std::vector<std::string> keys = {"volume", "scale", "deaths", "room", "keys", "hp", "time"};
    for (const std::string& key : keys)
        Call("ds_map_set", Num(map), Str(key), Num(1));
    std::stable_sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
        return (MapKeyHash(Str(a)) & 255) < (MapKeyHash(Str(b)) & 255);
    });
    std::string expected = "{";
    for (const std::string& key : keys)
        expected += "\"" + key + "\":1.0,";
    expected.back() = '}';
    EXPECT_EQ(Json(map), expected);

    // With one bucket the order is the order of addition, and a set keeps an entry's place.
    const int32_t single = Make("ds_map_create", Num(1));
    for (const char* key : {"a", "b", "c"})
        Call("ds_map_set", Num(single), Str(key), Num(*key - 'a' + 1));
    Call("ds_map_set", Num(single), Str("a"), Str("x"));
    EXPECT_EQ(Json(single), "{\"a\":\"x\",\"b\":2.0,\"c\":3.0}");
}

TEST_F(DataStructures, MapEntriesAreFoundByValueAndReadWithoutMarks) {
    const int32_t map = Make("ds_map_create"), list = Make("ds_list_create");
    Call("ds_map_set", Num(map), Num(1), Str("number key"));
    // The same value of another kind finds the entry; text that reads as it does not.
    EXPECT_EQ(Text("ds_map_find_value", Num(map), Int32Value(1)), "number key");
    EXPECT_EQ(Find(map, "1").Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(Number("ds_map_exists", Num(map), Num(1)), 1);
    EXPECT_EQ(Number("ds_map_exists", Num(map), Num(2)), 0);

    DsMapAdd(map, Str("once"), Num(1));
    DsMapAdd(map, Str("once"), Num(2)); // present: kept
    EXPECT_EQ(Find(map, "once").val, 1);
    EXPECT_EQ(Text("ds_map_set_post", Num(map), Str("once"), Str("post")), "post");

    EXPECT_EQ(Number("ds_map_add_list", Num(map), Str("list"), Num(list)), 1);
    EXPECT_EQ(Number("ds_map_add_list", Num(map), Str("list"), Num(list)), 0); // present
    ScopedRValue handle = Find(map, "list");
    EXPECT_EQ(handle.kind, uint32_t(VALUE_REAL)); // the whole kind word: no mark
    EXPECT_EQ(handle.val, list);

    RuntimeErrorCapture errors;
    EXPECT_EQ(Number("ds_map_add_list", Num(map), Str("bad"), Num(list + 5)), 0);
    EXPECT_EQ(Number("ds_map_add_list", Num(map), Str("bad"), Str("0")), 0);
    DsMapAdd(map + 7, Str("k"), Num(1)); // compiled code's direct add: a fatal error
    EXPECT_EQ(errors.Messages(), (std::vector<std::string>{
                                     "Invalid list index for value", "Invalid list index for value",
                                     "Data structure with index " + std::to_string(map + 7) +
                                         ", does not exist"}));
}

TEST_F(DataStructures, ListsGrowWithZerosAndIgnorePositionsOutsideThem) {
    const int32_t list = Make("ds_list_create");
    const auto items = [&](int32_t of) {
        std::string text;
        for (int i = 0; i < Number("ds_list_size", Num(of)); ++i)
            text += ValueText(ListItem(of, i));
        return text;
    };
    Call("ds_list_set", Num(list), Num(5), Str("far"));
    EXPECT_EQ(items(list), "00000far");
    Call("ds_list_clear", Num(list));
    EXPECT_EQ(Number("ds_list_empty", Num(list)), 1);
    Call("ds_list_set", Num(list), Num(3), Num(7)); // over slots a clear emptied
    Call("ds_list_set", Num(list), Num(-1), Num(1));
    Call("ds_list_set", Num(list), Num(2147483647), Num(1)); // would need gigabytes
    EXPECT_EQ(debug_, "LIST 0 index is negative (-1)\nLIST 0 index is too large (2147483647)\n");
    EXPECT_EQ(items(list), "0007");
    Call("ds_list_clear", Num(list));
    Call("ds_list_add", Num(list), Str("a"), Str("c"));
    Call("ds_list_insert", Num(list), Num(1), Str("b"));
    Call("ds_list_insert", Num(list), Num(3), Str("d")); // at the end is allowed
    Call("ds_list_insert", Num(list), Num(5), Str("x"));
    Call("ds_list_replace", Num(list), Num(4), Str("x"));
    Call("ds_list_replace", Num(list), Num(0), Str("A"));
    EXPECT_EQ(items(list), "Abcd");
    EXPECT_EQ(ListItem(list, 4).Kind(), VALUE_UNDEFINED);
    const int32_t shrinking = Make("ds_list_create");
    Call("ds_list_add", Num(shrinking), Str("a"), Str("b"), Str("c"));
    Call("ds_list_delete", Num(shrinking), Num(1));
    Call("ds_list_delete", Num(shrinking), Num(2)); // past the end: nothing
    Call("ds_list_delete", Num(shrinking), Num(-1));
    EXPECT_EQ(items(shrinking), "ac");

    const int32_t copy = Make("ds_list_create");
    for (int i = 0; i < 1000; ++i)
        Call("ds_list_add", Num(copy), Num(i)); // many growth steps
    Call("ds_list_copy", Num(copy), Num(list));
    EXPECT_EQ(items(copy), "Abcd");
    EXPECT_EQ(Number("ds_list_find_index", Num(copy), Str("c")), 2);
    EXPECT_EQ(Number("ds_list_find_index", Num(copy), Str("z")), -1);

    // Finding compares with the structures' own precision, not the math epsilon.
    const int32_t numbers = Make("ds_list_create"), grid = DsGridCreate(2, 2);
    Call("ds_list_add", Num(numbers), Num(0.3));
    EXPECT_EQ(Number("ds_list_find_index", Num(numbers), Num(0.1 + 0.2)), 0);
    EXPECT_EQ(Number("ds_list_find_index", Num(numbers), Num(0.3 + 1e-6)), -1);
    Call("ds_set_precision", Num(0.001));
    EXPECT_EQ(Number("ds_list_find_index", Num(numbers), Num(0.3 + 1e-6)), 0);
    EXPECT_NE(
        Call("ds_grid_value_exists", Num(grid), Num(0), Num(0), Num(1), Num(1), Num(0.0005)).val,
        0);
    Call("ds_set_precision", Num(0.00000001));
}

TEST_F(DataStructures, GridsReadAndWriteInsideOnlyAndKeepCellsOnResize) {
    const int32_t grid = DsGridCreate(3, 2);
    EXPECT_EQ(Number("ds_grid_width", Num(grid)), 3);
    EXPECT_EQ(Number("ds_grid_height", Num(grid)), 2);
    ScopedRValue cell;
    DsGridGet(grid, 2, 1, cell);
    EXPECT_TRUE(cell.Kind() == VALUE_REAL && cell.val == 0);
    DsGridSet(grid, 2, 1, Str("corner"));
    DsGridSet(grid, 0, 0, Num(5));
    EXPECT_EQ(Text("ds_grid_get", Num(grid), Num(2), Num(1)), "corner");

    DsGridGet(grid, 3, 0, cell);
    EXPECT_EQ(cell.Kind(), VALUE_UNDEFINED);
    DsGridGet(grid, 0, -1, cell);
    DsGridSet(grid, -1, 0, Num(1));
    EXPECT_EQ(debug_, "Grid 0, index out of bounds reading [3,0] - size is [3,2]\n"
                      "Grid 0, index out of bounds reading [0,-1] - size is [3,2]\n"
                      "Grid 0, index out of bounds writing [-1,0] - size is [3,2]\n");
    {
        RuntimeErrorCapture errors;
        MakeString(cell, "stale");
        DsGridGet(grid + 1, 0, 0, cell);
        EXPECT_EQ(cell.Kind(), VALUE_UNDEFINED);
        EXPECT_EQ(errors.Messages(), std::vector<std::string>{kMissing});
    }

    // The rectangle is spanned by either pair of corners and held to the grid.
    const auto corner_within = [&](double x1, double y1, double x2, double y2) {
        return Call("ds_grid_value_exists", Num(grid), Num(x1), Num(y1), Num(x2), Num(y2),
                    Str("corner"));
    };
    EXPECT_EQ(corner_within(9, 9, 0, 0).Kind(), VALUE_BOOL);
    EXPECT_NE(corner_within(9, 9, 0, 0).val, 0);
    EXPECT_EQ(corner_within(0, 0, 1, 1).val, 0);
    Call("ds_grid_resize", Num(grid), Num(2), Num(3));
    EXPECT_EQ(Number("ds_grid_get", Num(grid), Num(0), Num(0)), 5);
    EXPECT_EQ(Number("ds_grid_get", Num(grid), Num(1), Num(2)), 0);
    EXPECT_EQ(corner_within(0, 0, 1, 2).val, 0);
    Call("ds_grid_clear", Num(grid), Str("all"));
    EXPECT_EQ(Text("ds_grid_get", Num(grid), Num(1), Num(2)), "all");

    RuntimeErrorCapture errors;
    EXPECT_EQ(DsGridCreate(-1, 4), -1);
    EXPECT_EQ(DsGridCreate(1 << 20, 1 << 20), -1);
    Call("ds_grid_resize", Num(grid), Num(-2), Num(2));
    EXPECT_EQ(errors.Messages().size(), 3u);
    EXPECT_EQ(Number("ds_grid_width", Num(grid)), 2);
}

TEST_F(DataStructures, StacksGiveTheLastAndQueuesTheFirst) {
    const int32_t stack = DsStackCreate();
    RValue pushed[] = {RealValue(1), RealValue(2), RealValue(3)};
    DsStackPush(stack, 3, pushed);
    Call("ds_stack_push", Num(stack), Str("top"));
    EXPECT_EQ(Number("ds_stack_size", Num(stack)), 4);
    EXPECT_EQ(Text("ds_stack_top", Num(stack)), "top");
    ScopedRValue popped;
    DsStackPop(stack, popped);
    EXPECT_EQ(ValueText(popped), "top");
    EXPECT_EQ(Number("ds_stack_pop", Num(stack)), 3);
    DsStackPop(stack, popped);
    DsStackPop(stack, popped);
    EXPECT_EQ(popped.val, 1);
    EXPECT_EQ(Number("ds_stack_empty", Num(stack)), 1);
    DsStackPop(stack, popped);
    EXPECT_EQ(popped.Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(Call("ds_stack_top", Num(stack)).Kind(), VALUE_UNDEFINED);

    const int32_t queue = Make("ds_queue_create");
    Call("ds_queue_enqueue", Num(queue), Str("first"), Str("second"));
    Call("ds_queue_enqueue", Num(queue), Str("third"));
    EXPECT_EQ(Text("ds_queue_head", Num(queue)), "first");
    for (const char* expected : {"first", "second", "third"})
        EXPECT_EQ(Text("ds_queue_dequeue", Num(queue)), expected);
    EXPECT_EQ(Call("ds_queue_dequeue", Num(queue)).Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(Call("ds_queue_head", Num(queue)).Kind(), VALUE_UNDEFINED);
}

TEST_F(DataStructures, CyclesOfOwnedStructuresEndDestructionAndEncoding) {
    // A owns list L, L owns A back, and A owns itself.
    const int32_t a = Make("ds_map_create"), l = Make("ds_list_create");
    const auto own_each_other = [&] {
        Call("ds_map_add_list", Num(a), Str("list"), Num(l));
        Call("ds_list_add", Num(l), Num(a));
        Call("ds_list_mark_as_map", Num(l), Num(0));
    };
    own_each_other();
    Call("ds_map_add_map", Num(a), Str("self"), Num(a));
    const std::string text = Json(a);
    EXPECT_NE(text.find("\"list\":[null]"), std::string::npos) << text;
    EXPECT_NE(text.find("\"self\":null"), std::string::npos) << text;

    const int32_t plain = Make("ds_list_create");
    Call("ds_map_set", Num(a), Str("plain"), Num(plain)); // a number only, not owned
    Call("ds_map_clear", Num(a)); // destroys L, which owned A: A must survive its own clear
    EXPECT_EQ(Number("ds_map_exists", Num(a), Str("list")), 0);
    EXPECT_EQ(Make("ds_list_create"), l);
    EXPECT_EQ(Number("ds_list_size", Num(plain)), 0);
    own_each_other();
    Call("ds_map_destroy", Num(a));
    EXPECT_EQ(Make("ds_map_create"), a);
    EXPECT_EQ(Make("ds_list_create"), l);

    // A chain far deeper than any stack could recurse through is cut, not overflowed.
    const int32_t head = Make("ds_list_create");
    for (int32_t i = 0, tail = head; i < 20000; ++i) {
        const int32_t next = Make("ds_list_create");
        Call("ds_list_add", Num(tail), Num(next));
        Call("ds_list_mark_as_list", Num(tail), Num(0));
        tail = next;
    }
    const int32_t holder = Make("ds_map_create");
    Call("ds_map_add_list", Num(holder), Str("chain"), Num(head));
    EXPECT_NE(Json(holder).find("null"), std::string::npos);
    Call("ds_map_destroy", Num(holder));
    EXPECT_EQ(Make("ds_list_create"), head);
    EXPECT_EQ(Make("ds_list_create"), head + 1);
}

TEST_F(DataStructures, NestedMapsAndListsSurviveAJsonRoundTrip) {
    const int32_t save = Make("ds_map_create"), options = Make("ds_map_create");
    const int32_t bindings = Make("ds_list_create"), pair = Make("ds_list_create");
    Call("ds_map_set", Num(save), Str("name"), Str("Mireth \"the brave\"\n\\ é"));
    const std::pair<const char*, double> numbers[] = {
        {"hp", 2.5}, {"coins", 3e9}, {"tiny", -1e-300}, {"tenth", 0.1}}; // 3e9: beyond 32 bits
    for (const auto& [key, number] : numbers)
        Call("ds_map_set", Num(save), Str(key), Num(number));
    Call("ds_map_add_map", Num(save), Str("options"), Num(options));
    Call("ds_map_set", Num(options), Str("scale"), Num(3));
    Call("ds_map_add_list", Num(save), Str("bindings"), Num(bindings));
    Call("ds_list_add", Num(pair), Num(32), Str("space"));
    Call("ds_list_add", Num(bindings), Num(pair), Str("after"));
    Call("ds_list_mark_as_list", Num(bindings), Num(0));

    std::string text = Json(save);
    int32_t loaded = Decode(text.c_str());
    ASSERT_GE(loaded, 0) << text;
    EXPECT_EQ(Json(loaded), text);
    EXPECT_EQ(ValueText(Find(loaded, "name")), "Mireth \"the brave\"\n\\ é");
    for (const auto& [key, number] : numbers)
        EXPECT_EQ(Find(loaded, key).val, number) << key;
    ScopedRValue loaded_options = Find(loaded, "options");
    EXPECT_EQ(loaded_options.kind, static_cast<uint32_t>(VALUE_REAL));
    EXPECT_EQ(Find(loaded_options.val, "scale").val, 3);
    ScopedRValue loaded_bindings = Find(loaded, "bindings");
    EXPECT_EQ(Number("ds_list_size", loaded_bindings), 2);
    double loaded_pair = ListItem(loaded_bindings.val, 0).val;
    EXPECT_EQ(ValueText(ListItem(loaded_pair, 1)), "space");
    EXPECT_EQ(ValueText(ListItem(loaded_bindings.val, 1)), "after");

    // The decoded map owns what it made: destroying it frees every nested handle.
    Call("ds_map_destroy", Num(loaded));
    EXPECT_EQ(Number("ds_list_create"), std::min(loaded_pair, loaded_bindings.val));
    EXPECT_EQ(Number("ds_list_create"), std::max(loaded_pair, loaded_bindings.val));
    EXPECT_EQ(Number("ds_map_create"), std::min<double>(loaded_options.val, loaded));
}

TEST_F(DataStructures, EveryValueKindHasItsJsonForm) {
    const int32_t map = Make("ds_map_create", Num(1)); // one bucket: entries in order
    ScopedRValue array = Call("@@NewPSLArray@@", Num(1), Str("b"));
    const std::pair<ScopedRValue, ScopedRValue> entries[] = {
        {Str("int32"), Int32Value(-7)}, {Str("int64"), Int64Value(9000000000)},
        {Str("bool"), BoolValue(true)}, {Str("undefined"), UndefinedValue()}, {Str("array"), array},
        {Str("nan"), Num(std::nan(""))}, {Str("infinity"), Num(-INFINITY)}, {Num(3), Str("three")},
        {Num(2.5), Str("two and a half")}, {Str("gone"), Num(map + 5)}};
    for (const auto& [key, value] : entries)
        Call("ds_map_set", Num(map), key, value);
    EXPECT_EQ(
        Json(map),
        "{\"int32\":-7,\"int64\":9000000000,\"bool\":true,\"undefined\":null,\"array\":[1.0,\"b\"],"
        "\"nan\":NaN,\"infinity\":-Infinity,\"3\":\"three\",\"2.50\":\"two and a half\",\"gone\":" +
            std::to_string(map + 5) + ".0}");
    ScopedRValue owned_but_missing = ScopedRValue(RealValue(map + 5));
    owned_but_missing.kind |= 0x80000000u;
    Call("ds_map_set", Num(map), Str("gone"), owned_but_missing);
    EXPECT_NE(Json(map).find("\"gone\":null"), std::string::npos);

    RuntimeErrorCapture errors;
    ScopedRValue missing = Call("json_encode", Num(map + 1));
    EXPECT_EQ(missing.Kind(), VALUE_STRING);
    EXPECT_EQ(StringView(missing), "");
    EXPECT_EQ(errors.Messages().size(), 1u);
}

TEST_F(DataStructures, JsonTextThatIsNotAnObjectBecomesTheMemberDefault) {
    ScopedRValue list = Find(Decode("\xEF\xBB\xBF  [1, 2] \n"), "default");
    EXPECT_EQ(Number("ds_list_size", list), 2);
    EXPECT_EQ(ListItem(list.val, 1).val, 2);
    const std::pair<const char*, const char*> wrapped[] = {
        {"hello", "hello"}, {"", ""}, {"{not json}", "{not json}"}, {"[1,", "[1,"}};
    for (const auto& [text, member] : wrapped) // {not json} on the second try
        EXPECT_EQ(ValueText(Find(Decode(text), "default")), member) << text;
    EXPECT_EQ(ValueText(Find(Number("json_decode", Num(3)), "default")), "3.00");
    EXPECT_EQ(Find(Decode("\xEF\xBB\xBF{\"a\":1}"), "a").val, 1);

    int32_t nulls =
        Decode("{\"absent\": null, \"list\": [null, true, false], \"big\": 3000000000}");
    EXPECT_EQ(Number("ds_map_exists", Num(nulls), Str("absent")), 0);
    ScopedRValue with_null = Find(nulls, "list");
    EXPECT_EQ(ListItem(with_null.val, 0).Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(ListItem(with_null.val, 1).val, 1);
    EXPECT_EQ(ListItem(with_null.val, 2).val, 0);
    EXPECT_EQ(Find(nulls, "big").val, 2147483647); // integers come through 32 bits

    int32_t next = Make("ds_map_create");
    Call("ds_map_destroy", Num(next));
    EXPECT_EQ(Decode("[\"a\" x]"), -1); // fails wrapped and wrapped again
    EXPECT_EQ(Decode("{\"a\": [1, {\"b\": }]}"), -1);
    EXPECT_EQ(Make("ds_map_create"), next);  // a failed decode makes nothing
    EXPECT_EQ(Number("ds_list_create"), 2); // only the two decoded lists exist
    // Text deeper than the parser allows is refused; a string without text is the empty text.
    std::string deep = std::string(5000, '[') + std::string(5000, ']');
    EXPECT_EQ(JsonDecode(deep.c_str()), -1);
    EXPECT_EQ(JsonDecode(nullptr), next + 1);
}

TEST_F(DataStructures, JsonNumbersIgnoreTheProcessLocale) {
    ASSERT_TRUE(without_locale_path_.SetNumericLocale("de_DE.UTF-8")) << "the build makes it";
    int32_t map = Make("ds_map_create");
    Call("ds_map_set", Num(map), Str("volume"), Num(0.75));
    std::string text = Json(map);
    int32_t loaded = Decode("{\"volume\": 0.75, \"gain\": 1.5e-3}");
    int32_t wrapped = int32_t(Number("json_decode", Num(2.5)));
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(text, "{\"volume\":0.75}");
    EXPECT_EQ(Find(loaded, "volume").val, 0.75);
    EXPECT_EQ(Find(loaded, "gain").val, 1.5e-3);
    EXPECT_EQ(ValueText(Find(wrapped, "default")), "2.50");
}

} // namespace
