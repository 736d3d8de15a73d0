// The built-ins as compiled code meets them: by name, through the registry, with values.
#include <gtest/gtest.h>

#include "BuiltinCallFixture.h"
#include "Code/RuntimeError.h"
#include "Code/ValueArray.h"
#include "Code/ValueTestSupport.h"
#include "Function/RandomFunctions.h"
#include "Package/AssetNames.h"

namespace {

class BuiltinFunctions : public BuiltinCallTest {};

TEST_F(BuiltinFunctions, GroupsRegisterInOrderUnderTheirLabels) {
    EXPECT_EQ(registration_log_.find("HighScore..\nGame..\nMath..\n"), 0u);
    EXPECT_NE(registration_log_.find("Shaders..\nNimbo..\nFini\n"), std::string::npos);
    EXPECT_LT(FindBuiltin("string"), FindBuiltin("asset_get_index")); // Math.. comes before Resource..
}

TEST_F(BuiltinFunctions, ValuesAndArrays) {
    EXPECT_EQ(Text("string", RealValue(2.5)), "2.50"); // as values print
    EXPECT_EQ(Number("real", Str("  12.5kg")), 12.5);
    EXPECT_EQ(Text("array_create", RealValue(3)), "{ { 0,0,0 },  }");
    EXPECT_EQ(Text("array_create", RealValue(2), Str("x")), "{ { x,x },  }");
    EXPECT_EQ(Text("array_create", RealValue(0)), "{  }");
    ScopedRValue empty_literal = Call("@@NewPSLArray@@");
    EXPECT_EQ(empty_literal.Kind(), VALUE_ARRAY);
    EXPECT_EQ(ValueText(empty_literal), "{  }");
    ScopedRValue literal = Call("@@NewPSLArray@@", RealValue(1), Str("two"));
    EXPECT_EQ(ValueText(literal), "{ { 1,two },  }");
    EXPECT_EQ(literal.arr->owner, &literal); // the result owns what it made
    EXPECT_EQ(Number("array_length_1d", literal), 2);
    EXPECT_EQ(Number("array_length_1d", RealValue(4)), 0);
    EXPECT_EQ(Number("is_array", literal), 1);
    EXPECT_EQ(Number("is_string", Str("")), 1);
    EXPECT_EQ(Number("is_undefined", UndefinedValue()), 1);
    EXPECT_EQ(Number("is_real", RealValue(2)), 1);
    EXPECT_EQ(Number("is_real", Str("2")), 0);
    EXPECT_EQ(Number("is_string", RValue{{0}, 0, 0x10000000u | VALUE_STRING}), 0); // the whole word
}

TEST_F(BuiltinFunctions, StringsTakeAnyValueAsText) {
    EXPECT_EQ(Number("string_length", Str("h\xC3\xA9llo")), 5);
    EXPECT_EQ(Number("string_length", RealValue(1234)), 4); // numbers are formatted first
    EXPECT_EQ(Text("string_char_at", Str("abc"), RealValue(0)), "a");
    EXPECT_EQ(Text("string_copy", Str("abcdef"), RealValue(5), RealValue(10)), "ef");
    EXPECT_EQ(Number("string_pos", Str("cd"), Str("abcdef")), 3);
    EXPECT_EQ(Text("string_delete", Str("abcdef"), RealValue(2), RealValue(2)), "adef");
    EXPECT_EQ(Text("string_insert", Str("XY"), Str("abc"), RealValue(100)), "abcXY");
    EXPECT_EQ(Text("string_upper", Str("fl\xC3\xBC" "ffy")), "FL\xC3\x9C" "FFY");
    EXPECT_EQ(Text("chr", RealValue(0x2603)), "\xE2\x98\x83");
}

TEST_F(BuiltinFunctions, MathRoundsAndReportsLikeTheGameExpects) {
    EXPECT_EQ(Number("round", RealValue(-2.5)), -2);
    EXPECT_EQ(Number("floor", RealValue(-1.5)), -2);
    EXPECT_EQ(Number("ceil", Str("1.2")), 2); // a string that starts with a digit reads as a number
    EXPECT_EQ(Number("clamp", RealValue(5), RealValue(10), RealValue(1)), 1);
    EXPECT_EQ(Number("sin", RealValue(3.141592653589793)), 0);
    EXPECT_EQ(Number("cos", RealValue(3.141592653589793 / 2)), 0);
    EXPECT_EQ(Number("cos", RealValue(0)), 1);
    EXPECT_EQ(Number("max", RealValue(3), RealValue(-1), RealValue(7)), 7);
    EXPECT_EQ(Number("min", RealValue(3), RealValue(-1), RealValue(7)), -1);
    EXPECT_EQ(Number("abs", RealValue(-4)), 4);
    EXPECT_EQ(Number("sign", RealValue(-4)), -1);
    EXPECT_EQ(Number("log2", RealValue(8)), 3);
    EXPECT_EQ(Number("point_distance", RealValue(0), RealValue(0), RealValue(3), RealValue(4)), 5);
    EXPECT_EQ(Number("point_direction", RealValue(0), RealValue(0), RealValue(0), RealValue(-4)), 90); // up
    EXPECT_EQ(Number("point_direction", RealValue(0), RealValue(0), RealValue(0), RealValue(4)), 270);
    EXPECT_EQ(Number("point_direction", RealValue(5), RealValue(5), RealValue(1), RealValue(5)), 180);
    // Angles go anticlockwise from the right, and y grows downwards.
    EXPECT_DOUBLE_EQ(Number("lengthdir_x", RealValue(2), RealValue(60)), 1);
    EXPECT_NEAR(Number("lengthdir_y", RealValue(2), RealValue(90)), -2, 1e-12);
    EXPECT_NEAR(Number("lengthdir_x", RealValue(3), RealValue(180)), -3, 1e-12);

    RuntimeErrorCapture errors;
    EXPECT_EQ(Number("sqrt", RealValue(-1)), 0);
    EXPECT_EQ(Number("sqrt", RealValue(9)), 3);
    EXPECT_EQ(Number("floor", Str("abc")), 0);
    ASSERT_EQ(errors.Messages().size(), 2u);
    EXPECT_EQ(errors.Messages()[0], "Cannot apply sqrt to negative number.");
    EXPECT_EQ(errors.Reports()[0].find("FATAL"), std::string::npos); // a report that lets the game go on
    EXPECT_EQ(errors.Messages()[1], "floor argument 1 incorrect type (string) expecting a Number (KxGR)");
}

TEST_F(BuiltinFunctions, RandomDrawsRepeatForTheSameSeed) {
    auto draws = [&] {
        Call("random_set_seed", RealValue(123456));
        return std::vector<double>{Number("irandom", RealValue(100)), Number("random", RealValue(1)),
                                   Number("irandom_range", RealValue(5), RealValue(2)),
                                   Number("random_range", RealValue(-1), RealValue(1))};
    };
    std::vector<double> first = draws();
    EXPECT_EQ(first, draws());
    EXPECT_GE(first[2], 2);
    EXPECT_LE(first[2], 5);
    EXPECT_EQ(Number("random_get_seed"), 123456);

    RandomGenerator before = RunnerRandom();
    EXPECT_EQ(Number("choose"), 0);
    EXPECT_EQ(RunnerRandom(), before); // choosing from nothing draws nothing
    EXPECT_EQ(Text("choose", Str("only")), "only");
    double seed = Number("randomize");
    EXPECT_EQ(Number("random_get_seed"), seed);
}

TEST_F(BuiltinFunctions, AssetNamesAreSearchedSpritesFirst) {
    SetAssetNames(AssetKind::Room, {"rmInit", "rmGo", "sShared"});
    SetAssetNames(AssetKind::Sound, {"sndJump", "sShared"});
    SetAssetNames(AssetKind::Sprite, {"sMireth", "sSnow", "sShared"});
    EXPECT_EQ(Number("asset_get_index", Str("sShared")), 2);
    EXPECT_EQ(Number("asset_get_index", Str("sndJump")), 0);
    EXPECT_EQ(Number("asset_get_index", Str("rmGo")), 1);
    EXPECT_EQ(Number("asset_get_index", Str("sNothing")), -1);
    ClearAssetNames();
    EXPECT_EQ(Number("asset_get_index", Str("sMireth")), -1);
}

TEST_F(BuiltinFunctions, ShowErrorEndsTheGameOnlyWhenAsked) {
    RuntimeErrorCapture errors;
    Call("show_error", Str("checkpoint missing"), RealValue(0));
    Call("show_error", Str("save file damaged"), RealValue(1));
    ASSERT_EQ(errors.Reports().size(), 2u);
    EXPECT_EQ(errors.Reports()[0].find("FATAL"), std::string::npos);
    EXPECT_NE(errors.Reports()[1].find("FATAL ERROR"), std::string::npos);
}

} // namespace
