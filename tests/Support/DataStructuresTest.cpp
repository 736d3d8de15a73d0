// Maps, lists, grids, stacks and queues as the game's code uses them: through the built-ins
// and the direct calls of compiled code.
#include <algorithm>
#include <vector>

#include "../Code/ValueTestSupport.h"
#include "Code/GameConstants.h"
#include "Support/DsOperations.h"
#include "Support/MapKeyHash.h"
#include "SupportTestSupport.h"

namespace {

constexpr const char* kMissing = "Data structure with index does not exist.";

class DataStructures : public BuiltinCallTest {
protected:
    int32_t Make(const char* create, auto... args) { return int32_t(Number(create, args...)); }
    std::string Json(int32_t map) { return Text("json_encode", Num(map)); }
    ScopedRValue ListItem(int32_t list, int i) {
        return Call("ds_list_find_value", Num(list), Num(i));
    }
};

TEST_F(DataStructures, HandlesReuseTheLowestFreeIndexOfTheirOwnKind) {
    EXPECT_EQ(Make("ds_map_create"), 0);
    EXPECT_EQ(Make("ds_map_create"), 1);
    EXPECT_EQ(Make("ds_map_create"), 2);
    EXPECT_EQ(Make("ds_list_create"), 0); // kinds overlap
    Call("ds_map_destroy", Num(1));
    Call("ds_map_destroy", Num(0));
    EXPECT_EQ(Make("ds_map_create"), 0);
    EXPECT_EQ(Make("ds_map_create"), 1);
    EXPECT_EQ(Make("ds_map_create"), 3);
    EXPECT_EQ(DsStackCreate(), 0);
    EXPECT_EQ(Make("ds_queue_create"), 0);
    EXPECT_EQ(DsGridCreate(2, 2), 0);
    // Whether an id names a structure depends on its kind.
    const int exists[][3] = {{3, ds_type_map, 1}, {4, ds_type_map, 0}, {0, ds_type_grid, 1},
                             {1, ds_type_list, 0}, {0, ds_type_priority, 0}};
    for (const auto& [id, type, expected] : exists)
        EXPECT_EQ(Number("ds_exists", Num(id), Num(type)), expected) << id << " " << type;

    RuntimeErrorCapture errors;
    Call("ds_list_destroy", Num(0));
    EXPECT_EQ(Call("ds_list_size", Num(0)).Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(Call("ds_map_find_value", Num(-1), Str("k")).Kind(), VALUE_UNDEFINED);
    Call("ds_map_set", Num(99), Str("k"), Num(1));
    Call("ds_grid_destroy", Num(7));
    Call("ds_queue_enqueue", Num(4), Num(1));
    EXPECT_EQ(errors.Messages(), std::vector<std::string>(5, kMissing));
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
    Call("ds_map_set", Num(single), Str("a"), Num(1));
    Call("ds_map_set", Num(single), Str("b"), Num(2));
    Call("ds_map_set", Num(single), Str("c"), Num(3));
    Call("ds_map_set", Num(single), Str("a"), Str("x"));
    EXPECT_EQ(Json(single), "{\"a\":\"x\",\"b\":2.0,\"c\":3.0}");
}

TEST_F(DataStructures, MapEntriesAreFoundByValueAndReadWithoutMarks) {
    const int32_t map = Make("ds_map_create"), list = Make("ds_list_create");
    Call("ds_map_set", Num(map), Num(1), Str("number key"));
    // The same value of another kind finds the entry; text that reads as it does not.
    EXPECT_EQ(Text("ds_map_find_value", Num(map), Int32Value(1)), "number key");
    EXPECT_EQ(Call("ds_map_find_value", Num(map), Str("1")).Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(Call("ds_map_find_value", Num(map), Str("absent")).Kind(), VALUE_UNDEFINED);
    EXPECT_EQ(Number("ds_map_exists", Num(map), Num(1)), 1);
    EXPECT_EQ(Number("ds_map_exists", Num(map), Num(2)), 0);

    DsMapAdd(map, Str("once"), Num(1));
    DsMapAdd(map, Str("once"), Num(2)); // present: kept
    EXPECT_EQ(Number("ds_map_find_value", Num(map), Str("once")), 1);
    EXPECT_EQ(Text("ds_map_set_post", Num(map), Str("once"), Str("post")), "post");

    EXPECT_EQ(Number("ds_map_add_list", Num(map), Str("list"), Num(list)), 1);
    EXPECT_EQ(Number("ds_map_add_list", Num(map), Str("list"), Num(list)), 0); // present
    ScopedRValue handle = Call("ds_map_find_value", Num(map), Str("list"));
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

TEST_F(DataStructures, DestroyingAMapDestroysWhatItOwnsButClearingKeepsTheMap) {
    const int32_t map = Make("ds_map_create"), owned = Make("ds_list_create");
    const int32_t plain = Make("ds_list_create");
    Call("ds_map_add_list", Num(map), Str("owned"), Num(owned));
    Call("ds_map_set", Num(map), Str("plain"), Num(plain)); // a number only, not owned
    Call("ds_map_clear", Num(map));
    EXPECT_EQ(Make("ds_list_create"), owned); // freed by the clear
    EXPECT_EQ(Number("ds_list_size", Num(plain)), 0);
    Call("ds_map_add_list", Num(map), Str("again"), Num(owned));
    Call("ds_map_destroy", Num(map));
    EXPECT_EQ(Make("ds_list_create"), owned);
    EXPECT_EQ(Make("ds_map_create"), map);
}

TEST_F(DataStructures, ListsGrowWithZerosAndIgnorePositionsOutsideThem) {
    const int32_t list = Make("ds_list_create");
    Call("ds_list_set", Num(list), Num(5), Str("far"));
    EXPECT_EQ(Number("ds_list_size", Num(list)), 6);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Number("ds_list_find_value", Num(list), Num(i)), 0) << i;
    Call("ds_list_clear", Num(list));
    EXPECT_EQ(Number("ds_list_empty", Num(list)), 1);
    Call("ds_list_set", Num(list), Num(3), Num(7)); // over slots a clear emptied
    EXPECT_EQ(Number("ds_list_find_value", Num(list), Num(1)), 0);

    Call("ds_list_set", Num(list), Num(-1), Num(1));
    Call("ds_list_set", Num(list), Num(2147483647), Num(1)); // would need gigabytes
    EXPECT_EQ(debug_, "LIST 0 index is negative (-1)\nLIST 0 index is too large (2147483647)\n");
    EXPECT_EQ(Number("ds_list_size", Num(list)), 4);
    Call("ds_list_clear", Num(list));
    Call("ds_list_add", Num(list), Str("a"), Str("c"));
    Call("ds_list_insert", Num(list), Num(1), Str("b"));
    Call("ds_list_insert", Num(list), Num(3), Str("d")); // at the end is allowed
    Call("ds_list_insert", Num(list), Num(5), Str("x"));
    Call("ds_list_replace", Num(list), Num(4), Str("x"));
    Call("ds_list_replace", Num(list), Num(0), Str("A"));
    EXPECT_EQ(Number("ds_list_size", Num(list)), 4);
    EXPECT_EQ(ValueText(ListItem(list, 0)) + ValueText(ListItem(list, 1)) +
                  ValueText(ListItem(list, 2)) + ValueText(ListItem(list, 3)),
              "Abcd");
    EXPECT_EQ(ListItem(list, 4).Kind(), VALUE_UNDEFINED);
    const int32_t shrinking = Make("ds_list_create");
    Call("ds_list_add", Num(shrinking), Str("a"), Str("b"), Str("c"));
    Call("ds_list_delete", Num(shrinking), Num(1));
    Call("ds_list_delete", Num(shrinking), Num(2)); // past the end: nothing
    Call("ds_list_delete", Num(shrinking), Num(-1));
    EXPECT_EQ(Number("ds_list_size", Num(shrinking)), 2);
    EXPECT_EQ(ValueText(ListItem(shrinking, 0)) + ValueText(ListItem(shrinking, 1)), "ac");

    const int32_t copy = Make("ds_list_create");
    for (int i = 0; i < 1000; ++i)
        Call("ds_list_add", Num(copy), Num(i)); // many growth steps
    Call("ds_list_copy", Num(copy), Num(list));
    EXPECT_EQ(Number("ds_list_size", Num(copy)), 4);
    EXPECT_EQ(Number("ds_list_find_index", Num(copy), Str("c")), 2);
    EXPECT_EQ(Number("ds_list_find_index", Num(copy), Str("z")), -1);
}

TEST_F(DataStructures, ComparisonsInsideStructuresUseTheirOwnPrecision) {
    const int32_t list = Make("ds_list_create"), grid = DsGridCreate(2, 2);
    Call("ds_list_add", Num(list), Num(0.3));
    EXPECT_EQ(Number("ds_list_find_index", Num(list), Num(0.1 + 0.2)), 0);
    // Beyond the math epsilon, until the structures' precision is widened.
    EXPECT_EQ(Number("ds_list_find_index", Num(list), Num(0.3 + 1e-6)), -1);
    Call("ds_set_precision", Num(0.001));
    EXPECT_EQ(Number("ds_list_find_index", Num(list), Num(0.3 + 1e-6)), 0);
    const auto found = Call("ds_grid_value_exists", Num(grid), Num(0), Num(0), Num(1), Num(1),
                            Num(0.0005));
    EXPECT_NE(found.val, 0);
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
    EXPECT_EQ(corner_within(9, 9, 2, 1).Kind(), VALUE_BOOL);
    EXPECT_NE(corner_within(9, 9, 2, 1).val, 0);
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

    Call("ds_map_clear", Num(a)); // destroys L, which owned A: A must survive its own clear
    EXPECT_EQ(Number("ds_map_exists", Num(a), Str("list")), 0);
    EXPECT_EQ(Make("ds_list_create"), l);
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

} // namespace
