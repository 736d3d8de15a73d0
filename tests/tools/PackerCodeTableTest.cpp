// The code table the packer generates from tests/tools/packer_assets, compiled and linked with
// the handlers below as the game links with its own: entry i of the package runs entry i of the
// table. A handler the assets declare and this file lacked would fail the link.
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "CodeTable.h"
#include "Runner/Package/PackageReader.h"

void psl_Object_oChar_Create_0(CInstance*, CInstance*) {}
void psl_Object_oChar_Step_0(CInstance*, CInstance*) {}
void psl_Object_oChar_Step_2(CInstance*, CInstance*) {}
// The other object's identifier is made from its name, the same on every build.
void psl_Object_oChar_Collision_836adfce_d988_c95b_d9a6_fac65ba4336c(CInstance*, CInstance*) {}
void psl_Object_oChar_Other_12(CInstance*, CInstance*) {}
void psl_Object_oGhost_Alarm_3(CInstance*, CInstance*) {}
void psl_Object_oGhost_Draw_64(CInstance*, CInstance*) {}

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
    ASSERT_EQ(kGameCodeCount, 7);
    ASSERT_EQ(package.code.size(), 7u);
    for (int32_t i = 0; i < kGameCodeCount; ++i) {
        EXPECT_EQ(package.code[size_t(i)].name, kGameCode[i].name);
        EXPECT_EQ(kGameCode[i].event, expected[i]) << kGameCode[i].name;
        EXPECT_EQ(kGameCode[i].script, nullptr);
    }

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
