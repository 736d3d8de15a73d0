// Blend modes through gpu_set_blendmode and gpu_set_blendmode_ext: the factors each sets, the
// argument forms, and their messages.
#include "Code/ValueArray.h"
#include "DrawingFixture.h"

namespace {

using namespace drawing_test;

BlendState Blend(BlendFactor source, BlendFactor destination) {
    return {source, destination};
}

ScopedRValue Pair(std::initializer_list<double> numbers) {
    ScopedRValue array;
    int32_t index = 0;
    for (double number : numbers)
        AssignValue(array, Num(number), index++);
    return array;
}

class BlendFunctions : public DrawingTest {
protected:
    // The blend state the next draw is made in.
    BlendState Drawn() {
        ForgetDraws();
        Call("draw_sprite", Num(kFour), Num(0), Num(50), Num(50));
        return Draws().at(0).blend;
    }
};

TEST_F(BlendFunctions, NamedModesSetTheirFactorsAndOthersActAsNormal) {
    using enum BlendFactor;
    const BlendState normal = Blend(SourceAlpha, InverseSourceAlpha);
    EXPECT_EQ(Drawn(), normal);
    const struct {
        double mode;
        BlendState blend;
    } cases[] = {{bm_add, Blend(SourceAlpha, One)},
                 {bm_max, Blend(SourceAlpha, InverseSourceColour)},
                 {bm_subtract, Blend(Zero, InverseSourceColour)},
                 {bm_normal, normal},
                 {4, normal},
                 {-1, normal},
                 {2.9, Blend(SourceAlpha, InverseSourceColour)}};
    for (const auto& c : cases) {
        Call("gpu_set_blendmode", Num(bm_add));
        Call("gpu_set_blendmode", Num(c.mode));
        EXPECT_EQ(Drawn(), c.blend) << c.mode;
    }
    EXPECT_TRUE(errors_.Empty());
}

TEST_F(BlendFunctions, FactorsComeAsTwoNumbersOrOneArrayOfTwo) {
    using enum BlendFactor;
    Call("gpu_set_blendmode_ext", Num(bm_dest_alpha), Num(bm_zero));
    EXPECT_EQ(Drawn(), Blend(DestinationAlpha, Zero));
    Call("gpu_set_blendmode_ext", Pair({bm_src_alpha_sat, bm_inv_dest_colour}));
    EXPECT_EQ(Drawn(), Blend(SourceAlphaSaturate, InverseDestinationColour));
    // A number that names no factor changes nothing.
    Call("gpu_set_blendmode_ext", Num(0), Num(bm_one));
    Call("gpu_set_blendmode_ext", Num(bm_one), Num(12));
    EXPECT_EQ(Drawn(), Blend(SourceAlphaSaturate, InverseDestinationColour));
    EXPECT_TRUE(errors_.Empty());
}

TEST_F(BlendFunctions, WrongArgumentsAreReportedAndChangeNothing) {
    Call("gpu_set_blendmode", Num(bm_add));
    Call("gpu_set_blendmode");
    Call("gpu_set_blendmode", Num(bm_max), Num(bm_max));
    Call("gpu_set_blendmode_ext", Num(bm_one));
    Call("gpu_set_blendmode_ext", Num(bm_one), Num(bm_one), Num(bm_one));
    Call("gpu_set_blendmode_ext", Pair({bm_one, bm_one, bm_one}));
    Call("gpu_set_blendmode_ext", Pair({bm_one}));
    EXPECT_EQ(errors_.Messages(), (std::vector<std::string>{
                                      "gpu_set_blendmode() - should be passed a single parameter",
                                      "gpu_set_blendmode() - should be passed a single parameter",
                                      "gpu_set_blendmode_ext() - should be passed two parameters",
                                      "gpu_set_blendmode_ext() - should be passed two parameters",
                                      "gpu_set_blendmode_ext() - invalid array (must be 2 values)",
                                      "gpu_set_blendmode_ext() - invalid array (must be 2 values)",
                                  }));
    EXPECT_EQ(Drawn(), Blend(BlendFactor::SourceAlpha, BlendFactor::One));
}

} // namespace
