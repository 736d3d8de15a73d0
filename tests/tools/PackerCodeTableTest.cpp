// What the packer generates from tests/tools/packer_assets and the sources in
// tests/tools/packer_game, linked with those sources as the game links with its own: entry i of
// the package runs entry i of the code table, assets are named by their indices, and the names
// the sources use are numbered and paired. A declared handler the sources lacked would fail the
// link.
#include <array>
#include <gtest/gtest.h>

#include "CodeTable.h"
#include "GameNames.h"
#include "Package/PackageReader.h"
#include "PkgtoolListings.h"
#include "TestFiles.h"

TEST(PackerCodeTable, EveryHandlerOfThePackageIsBoundInItsOrder) {
    const std::string image = ReadText(PACKED_TEST_PACKAGE);
    GamePackage package;
    ASSERT_TRUE(ReadPackage(std::vector<uint8_t>(image.begin(), image.end()), package).ok);

    // Object by object and event by event, then the scripts, then each room's creation code
    // (the wide room shares the small one's) and the creation code of its instances.
#define EVENT(name) {#name, nullptr, name}
#define SCRIPT(name) {#name, name, nullptr}
    const CodeEntry expected[] = {
        EVENT(psl_Object_oChar_Create_0), EVENT(psl_Object_oChar_Step_0),
        EVENT(psl_Object_oChar_Step_2),
        EVENT(psl_Object_oChar_Collision_836adfce_d988_c95b_d9a6_fac65ba4336c),
        EVENT(psl_Object_oChar_Other_12), EVENT(psl_Object_oGhost_Alarm_3),
        EVENT(psl_Object_oGhost_Draw_64), SCRIPT(psl_Script_grid_set), SCRIPT(psl_Script_hurt),
        EVENT(psl_Room_rmSmall_Create), EVENT(psl_RoomCC_rmSmall_100001_Create),
        EVENT(psl_RoomCC_rmWide_100006_Create), EVENT(psl_RoomCC_rmWide_100007_Create)};
#undef EVENT
#undef SCRIPT
    ASSERT_EQ(kGameCodeCount, int32_t(std::size(expected)));
    ASSERT_EQ(package.code.size(), std::size(expected));
    for (int32_t i = 0; i < kGameCodeCount; ++i) {
        EXPECT_STREQ(kGameCode[i].name, expected[i].name);
        EXPECT_EQ(package.code[size_t(i)].name, expected[i].name);
        EXPECT_EQ(kGameCode[i].event, expected[i].event) << expected[i].name;
        EXPECT_EQ(kGameCode[i].script, expected[i].script) << expected[i].name;
    }
    ASSERT_EQ(package.scripts.size(), 2u);
    EXPECT_EQ(package.scripts[1]->name, "hurt");
    EXPECT_EQ(package.scripts[1]->code_index, 8);

    EXPECT_FLOAT_EQ(package.rooms[1]->instances.at(0).scale_y, 2); // a block run two rows high
    // The code table names every asset's index.
    EXPECT_EQ(oChar, 0);
    EXPECT_EQ(oGhost, 3);
    EXPECT_EQ(package.sprites[size_t(sBlock)]->name, "sBlock");
    EXPECT_EQ(package.rooms[size_t(rmWide)]->name, "rmWide");
    EXPECT_EQ(package.sounds[size_t(sfxHit)]->name, "sfxHit");
    // The objects and rooms as pkgtool lists them (data/packed_records.txt).
    ExpectListings(PACKED_TEST_PACKAGE, "packed_records.txt");
}

TEST(PackerCodeTable, TheNamesTheSourcesUseAreNumberedAndPaired) {
    // Game variables in name order, one slot space for both scopes; those the rooms' creation
    // code assigns among them.
    EXPECT_EQ((std::array{SLOT_dead, SLOT_grid, SLOT_hamp, SLOT_hp, SLOT_script}),
              (std::array{0, 1, 2, 3, 4}));
    const GameLink link = GameLinkRecord();
    EXPECT_EQ(link.global_count, 5);
    EXPECT_EQ(link.instance_count, 5);
    EXPECT_EQ(link.code, kGameCode);
    EXPECT_EQ(link.code_count, kGameCodeCount);
    // Built-in variables follow the game's, to be resolved by name at load.
    EXPECT_STREQ(link.variables[0].name, "dead");
    EXPECT_EQ(link.variables[3].slot, 3);
    EXPECT_EQ(&VAR_x, &link.variables[5]);
    EXPECT_STREQ(VAR_x.name, "x");
    EXPECT_EQ(VAR_x.slot, -1);
    EXPECT_EQ(link.variables[6].name, nullptr);
    EXPECT_EQ(&FN_font_add_sprite, &link.functions[0]);
    EXPECT_STREQ(FN_instance_destroy.name, "instance_destroy");
    EXPECT_EQ(link.functions[3].name, nullptr);
}
