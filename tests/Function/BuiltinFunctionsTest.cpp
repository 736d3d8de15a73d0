// The built-ins as compiled code meets them: by name, through the registry, with values.
#include <gtest/gtest.h>

#include "BuiltinCallFixture.h"
#include "CaseTable.h"
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

// The built-ins on the cases of data/builtin_cases.txt.
TEST_F(BuiltinFunctions, EachGivesItsResultOnTheTableOfCases) {
    const std::vector<TextCase> cases =
        ReadCaseTable(TEST_SOURCE_DIR "/Function/data/builtin_cases.txt");
    for (const TextCase& c : cases) {
        std::vector<ScopedRValue> values;
        for (size_t i = 1; i + 1 < c.fields.size(); ++i) values.push_back(ValueOf(c.fields[i]));
        EXPECT_EQ(Shown(CallWith(c.fields[0].c_str(), values)), c.fields.back()) << c.line;
    }
    EXPECT_EQ(cases.size(), 36u);
}

TEST_F(BuiltinFunctions, ArrayLiteralsOwnWhatTheyMakeAndErrorsLetTheGameGoOnUnlessFatal) {
    ScopedRValue empty_literal = Call("@@NewPSLArray@@");
    EXPECT_EQ(Shown(empty_literal), "array {  }");
    ScopedRValue literal = Call("@@NewPSLArray@@", RealValue(1), Str("two"));
    EXPECT_EQ(ValueText(literal), "{ { 1,two },  }");
    EXPECT_EQ(literal.arr->owner, &literal);
    EXPECT_EQ(Number("array_length_1d", literal), 2);
    EXPECT_EQ(Number("is_array", literal), 1);
    EXPECT_EQ(Number("is_string", RValue{{0}, 0, 0x10000000u | VALUE_STRING}), 0);
    // Angles go anticlockwise from the right, and y grows downwards.
    EXPECT_DOUBLE_EQ(Number("lengthdir_x", RealValue(2), RealValue(60)), 1);
    EXPECT_NEAR(Number("lengthdir_y", RealValue(2), RealValue(90)), -2, 1e-12);
    EXPECT_NEAR(Number("lengthdir_x", RealValue(3), RealValue(180)), -3, 1e-12);

    RuntimeErrorCapture errors;
    EXPECT_EQ(Number("sqrt", RealValue(-1)), 0);
    EXPECT_EQ(Number("floor", Str("abc")), 0);
    // show_error ends the game only when asked.
    Call("show_error", Str("checkpoint missing"), RealValue(0));
    Call("show_error", Str("save file damaged"), RealValue(1));
    ASSERT_EQ(errors.Messages().size(), 4u);
    EXPECT_EQ(errors.Messages()[0], "Cannot apply sqrt to negative number.");
    EXPECT_EQ(errors.Reports()[0].find("FATAL"), std::string::npos); // the game goes on
    EXPECT_EQ(errors.Messages()[1], "floor argument 1 incorrect type (string) expecting a Number (KxGR)");
    EXPECT_EQ(errors.Reports()[2].find("FATAL"), std::string::npos);
    EXPECT_NE(errors.Reports()[3].find("FATAL ERROR"), std::string::npos);
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

} // namespace
