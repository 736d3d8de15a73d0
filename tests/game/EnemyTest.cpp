// Enemies in an empty room of the game's own package.
#include <cmath>
#include <set>

#include "GameFixture.h"

namespace {

class EnemyTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        StartInAnEmptyRoom();
        Place(oSnowBlock, 0, 160, 20, 2);
        Builtin("random_set_seed", Value(7));
    }
};

TEST_F(EnemyTest, FloatersSwingOnceASecondFromPhasesOfTheirOwn) {
    CInstance* slimes[] = {Place(oSlimey, 100, 40), Place(oSlimey, 200, 40), Place(oWigglis, 150, 100)};
    for (CInstance* slime : slimes) Assign(Var(slime, SLOT_hamp), Value(32));
    std::set<double> phases;
    for (CInstance* slime : slimes) phases.insert(Get(slime, SLOT_stepc));
    EXPECT_EQ(phases.size(), 3u);

    double low = 1e9, high = -1e9, first = 0;
    for (int step = 0; step < 60; ++step) {
        RunFrames(1);
        const double x = Get(slimes[0], VAR_x);
        if (step == 0) first = x;
        low = std::min(low, x), high = std::max(high, x);
        EXPECT_EQ(Get(slimes[0], VAR_y), 40);
    }
    EXPECT_NEAR(low, 100 - 32, 1e-4);
    EXPECT_NEAR(high, 100 + 32, 1e-4);
    RunFrames(1);
    EXPECT_NEAR(Get(slimes[0], VAR_x), first, 1e-4); // a second later, where it was
}

// The flower puff circles backwards, 4 px wider than its `amp`, around a point 24 px below its start.
TEST_F(EnemyTest, AFlowerPuffCirclesBackwardsBelowWhereItStarts) {
    CInstance* puff = Place(oFlowerfluff, 100, 40);
    Assign(Var(puff, SLOT_amp), Value(12));
    double previous = 0;
    for (int step = 0; step < 20; ++step) {
        RunFrames(1);
        const double dx = Get(puff, VAR_x) - 100, dy = Get(puff, VAR_y) - 64;
        EXPECT_NEAR(std::hypot(dx, dy), 16, 1e-4);
        const double angle = std::atan2(dy, dx);
        if (step > 0) {
            EXPECT_NEAR(std::remainder(angle - previous, 2 * M_PI), -2 * M_PI / 60, 1e-4);
        }
        previous = angle;
    }
}

} // namespace
