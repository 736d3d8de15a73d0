// The key hash fixes where entries land and so the order json_encode writes them in.
#include <gtest/gtest.h>

#include "../Code/ValueTestSupport.h"
#include "Support/MapKeyHash.h"

namespace {

TEST(MapKeyHash, TextIsCrc32WithoutTheFinalInversionAndNumbersTheirValue) {
    // The standard check value, uninverted.
    EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u ^ 0xFFFFFFFFu);
    EXPECT_EQ(Crc32("", 0), 0xFFFFFFFFu);
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

} // namespace
