// What the packer generates from tests/tools/packer_assets and the sources in
// tests/tools/packer_game, compiled and linked with those sources as the game links with its
// own: entry i of the package runs entry i of the code table, and the names the sources use
// are numbered and paired. A handler the assets declare and the sources lacked would fail the
// link.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "CodeTable.h"
#include "GameNames.h"
#include "Runner/Package/PackageReader.h"

TEST(PackerCodeTable, EveryHandlerOfThePackageIsBoundInItsOrder) {
    std::ifstream in(PACKED_TEST_PACKAGE, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string image = bytes.str();
    GamePackage package;
    ASSERT_TRUE(ReadPackage(std::vector<uint8_t>(image.begin(), image.end()), package).ok);

    const EventFunction expected[] = {
        psl_Object_oChar_Create_0, psl_Object_oChar_Step_0, psl_Object_oChar_Step_2,
        psl_Object_oChar_Collision_836adfce_d988_c95b_d9a6_fac65ba4336c, psl_Object_oChar_Other_12,
        psl_Object_oGhost_Alarm_3, psl_Object_oGhost_Draw_64};
    ASSERT_EQ(kGameCodeCount, 8);
    ASSERT_EQ(package.code.size(), 8u);
    for (int32_t i = 0; i < kGameCodeCount; ++i)
        EXPECT_EQ(package.code[size_t(i)].name, kGameCode[i].name);
    for (int32_t i = 0; i < 7; ++i) {
        EXPECT_EQ(kGameCode[i].event, expected[i]) << kGameCode[i].name;
        EXPECT_EQ(kGameCode[i].script, nullptr);
    }
    // Scripts come from the sources that define them.
    EXPECT_EQ(kGameCode[7].script, psl_Script_hurt);
    ASSERT_EQ(package.scripts.size(), 1u);
    EXPECT_EQ(package.scripts[0]->name, "hurt");
    EXPECT_EQ(package.scripts[0]->code_index, 7);

    // Listed first, then in name order; names resolved across files.
    ASSERT_EQ(package.objects.size(), 3u);
    const PackageObject& character = *package.objects[0];
    const PackageObject& block = *package.objects[1];
    const PackageObject& ghost = *package.objects[2];
    EXPECT_EQ(character.name, "oChar");
    EXPECT_EQ(block.name, "oBlock");
    EXPECT_TRUE(block.solid);
    EXPECT_EQ(character.depth, -10);
    EXPECT_EQ(character.mask_index, 0);
    EXPECT_EQ(ghost.parent_index, 0);
    EXPECT_FALSE(ghost.visible);
    EXPECT_EQ(ghost.sprite_index, -1);
    // A collision's subtype is the other object's index.
    EXPECT_EQ(character.events.at({4, 1}), 3);
    EXPECT_EQ(ghost.events.at({8, 64}), 6);
}

TEST(PackerCodeTable, TheNamesTheSourcesUseAreNumberedAndPaired) {
    // Game variables in name order, one slot space for both scopes.
    EXPECT_EQ(SLOT_dead, 0);
    EXPECT_EQ(SLOT_hp, 1);
    const GameLink link = GameLinkRecord();
    EXPECT_EQ(link.global_count, 2);
    EXPECT_EQ(link.instance_count, 2);
    EXPECT_EQ(link.code, kGameCode);
    EXPECT_EQ(link.code_count, kGameCodeCount);
    // Built-in variables follow the game's, to be resolved by name at load.
    EXPECT_STREQ(link.variables[0].name, "dead");
    EXPECT_EQ(link.variables[1].id, 1);
    EXPECT_EQ(&VAR_x, &link.variables[2]);
    EXPECT_STREQ(VAR_x.name, "x");
    EXPECT_EQ(VAR_x.id, -1);
    EXPECT_EQ(link.variables[3].name, nullptr);
    EXPECT_EQ(&FN_instance_destroy, &link.functions[0]);
    EXPECT_STREQ(FN_instance_destroy.name, "instance_destroy");
    EXPECT_EQ(link.functions[1].name, nullptr);
}
