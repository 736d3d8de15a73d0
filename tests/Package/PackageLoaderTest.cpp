// The runner's two passes over a package: what they write, refuse, and hand on.
#include "Package/PackageLoader.h"

#include "Base/OutputChannel.h"
#include "Base/RunnerState.h"
#include "Code/Builtins.h"
#include "Code/FunctionIndex.h"
#include "Code/GameConstants.h"
#include "Code/Scripts.h"
#include "Package/AssetNames.h"
#include "PackageTestSupport.h"
#include "PackageWriter.h"
#include "Runner/BuiltinWiring.h"
#include "SamplePackage.h"
#include "TestFiles.h"
#include "Variable/GameVariables.h"
#include "Variable/VariableId.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using namespace package;
using namespace package_test;

class PackageLoaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetVariables();
        LinkGame(sample_.Link());
        DebugOutput().CaptureTo(&debug_);
        ErrorOutput().CaptureTo(&errors_);
    }
    void TearDown() override {
        DebugOutput().Reset();
        ErrorOutput().Reset();
        LinkGame({});
        Script_Clear();
        ClearAssetNames();
        ClearBuiltins();
        ResetVariables();
        Runner() = RunnerState{};
    }

    // Both passes over `bytes`; the first failure's line, or "" when all went well.
    std::string Load(Bytes bytes) {
        PackageStatus status = loader_.Open(std::move(bytes), "data.win");
        if (status) status = loader_.ReadHeader();
        if (status) status = loader_.LoadGameData();
        return status.error;
    }

    uint32_t Operand(const CodeLocation& place) {
        const PackageCodeEntry& entry = loader_.Package().code[size_t(place.code_index)];
        return Word(Bytes(entry.bytes.begin(), entry.bytes.end()), place.offset + 4) &
               kOccurrenceDistanceMask;
    }

    SamplePackage sample_;
    PackageLoader loader_{RegisterBuiltinFunctions};
    std::string debug_;
    std::string errors_;
};

TEST_F(PackageLoaderTest, BothPassesWriteTheirStepsInChunkOrderAndHandTheTablesToTheRunner) {
    sample_.tables.texture_page_entries[1].texture = 7; // the package has 4 textures
    Bytes bytes = WritePackage(sample_.tables);
    AppendChunk(bytes, MakeTag("ZZZZ"), {1, 2, 3, 4});
    AppendChunk(bytes, kTagObjt, {}); // zero length: skipped although its tag is known
    ASSERT_EQ(Load(bytes), "");
    size_t at = 0;
    for (const char* step : {"IFF wad found\n", "Get Header Information\n", "InitPSLFunctions\n",
                             "Fini\n", "Code_Load()\n", "VARI_Load()\n", "got 2 global variables\n",
                             "got 2 instance variables\n", "got 3 local variables\n", "ID_STRG\n",
                             "initialise everything!\n", "Process Chunk: GEN8   ",
                             "Process Chunk: OBJT   ", "Process Chunk: ZZZZ   4\n"}) {
        at = debug_.find(step, at);
        ASSERT_NE(at, std::string::npos) << step << " missing or out of order in\n" << debug_;
    }
    // The second OBJT has no length, so it is neither processed nor read twice.
    EXPECT_EQ(debug_.find("Process Chunk: OBJT   0"), std::string::npos);
    // A texture page entry without its texture is reported and kept.
    EXPECT_EQ(errors_, "what!!!!\nunknown Chunk ZZZZ:" + std::to_string(int32_t(MakeTag("ZZZZ"))) +
                           "\n");
    const GamePackage& package = loader_.Package();
    EXPECT_EQ(package.texture_page_entries[1].texture, 7);
    EXPECT_EQ(package.texture_page_entries[2].texture, 1);

    // Header fields the frame loop paces by, the sleep margin and the numeric constants.
    EXPECT_EQ(Runner().major_version, 2);
    EXPECT_EQ(Runner().game_speed, 50);
    EXPECT_EQ(Runner().room_order, (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(Runner().caption, "Snowtide Test");
    EXPECT_EQ(Runner().sleep_margin_ms, 4);
    double gravity = 0;
    EXPECT_TRUE(FindConstant("GRAVITY", &gravity));
    EXPECT_EQ(gravity, 0.5);

    // Scripts keep their indices across the empty slot; asset names answer look-ups.
    ASSERT_EQ(Script_Count(), 3);
    EXPECT_EQ(Script_Find("move"), 0);
    EXPECT_EQ(Script_At(2).name, "unused");
    EXPECT_EQ(FindAssetIndex("sBlock"), 2);
    EXPECT_EQ(FindAssetIndex("rmEnd"), 1);
    EXPECT_EQ(FindAssetIndex("oWall"), 2);
    EXPECT_EQ(FindAssetIndex("fntBig"), 1);

    // Every occurrence now holds its resolved number; the game's pairs are resolved too.
    for (uint32_t number : {0u, 1u})
        for (const CodeLocation& place : package.variables[number].occurrences)
            EXPECT_EQ(Operand(place), number);
    EXPECT_EQ(Operand(package.functions[0].occurrences[0]), uint32_t(FindFunction("move")));
    EXPECT_EQ(Operand(package.functions[1].occurrences[1]), uint32_t(FindFunction("floor")));
    EXPECT_EQ(LinkedGame().functions[0].index, FUNCTION_INDEX_SCRIPT_BASE);
    EXPECT_EQ(LinkedGame().variables[1].id, GameVariableId(1));
    ASSERT_NE(GlobalObject(), nullptr);

    // Instance code is bound beside the instance records.
    const PackageRoom& room = *package.rooms[0];
    ASSERT_EQ(room.instance_code.size(), 2u);
    EXPECT_STREQ(room.instance_code[0].creation->name, "psl_RoomCC_rmSnow_0_Create");
    EXPECT_EQ(room.instance_code[0].pre_create, nullptr);
    EXPECT_STREQ(room.instance_code[1].pre_create->name, "psl_Object_oActor_Create_0");
}

TEST_F(PackageLoaderTest, PackagesThatDoNotMatchTheGameAreRefused) {
    sample_.tables.code[3].name = "psl_Room_rmSnow_Create_old";
    EXPECT_EQ(Load(WritePackage(sample_.tables)),
              "data.win: the package does not match the game's code: code entry 3 is "
              "\"psl_Room_rmSnow_Create_old\" in the package but \"psl_Room_rmSnow_Create\" in "
              "the game");
    EXPECT_EQ(debug_.find("InitPSLFunctions"), std::string::npos) << "before its code can run";

    // Names that resolve to nothing are fatal.
    SamplePackage other;
    other.tables.variables[1].name = "hq";
    LinkGame(other.Link());
    EXPECT_EQ(Load(WritePackage(other.tables)), "Error on load\nUnable to find variable hq");
    other.tables.variables[1].name = "hp";
    other.tables.functions[1].name = "flour";
    EXPECT_EQ(Load(WritePackage(other.tables)), "Error on load\nUnable to find function flour");
}

TEST_F(PackageLoaderTest, HeaderTagsSetTheFormatNumberAndAPackageWithoutCodeNeedsNoGame) {
    Bytes bytes = WritePackage(sample_.tables);
    ASSERT_EQ(Load(bytes), "");
    EXPECT_EQ(loader_.Package().header.format_number, 800);
    SetWord(bytes, ChunkAt(bytes, kTagGen8) - 8, kTagGenL);
    ASSERT_EQ(Load(bytes), "");
    EXPECT_EQ(loader_.Package().header.format_number, 700);
    // The container tag is also accepted with its bytes reversed.
    SetWord(bytes, 0, ReverseTag(kTagForm));
    EXPECT_EQ(Load(bytes), "");

    LinkGame({});
    GamePackage empty;
    empty.header.game_name = "Empty";
    ASSERT_EQ(Load(WritePackage(empty)), "");
    // The holder of global variables exists even without a variable table.
    EXPECT_NE(GlobalObject(), nullptr);
    EXPECT_EQ(Runner().caption, "Empty");
}

TEST_F(PackageLoaderTest, ReadsTheFileAndTheOptionsFileBesideIt) {
    const std::filesystem::path folder = std::filesystem::path(TEST_BINARY_DIR) / "loader_files";
    WriteText(folder / "options.ini",
              "; runner settings\n[runner]\n SleepMargin = 3\nSleepMargin\n[Graphics]\nManualVSync=1\n");
    const std::string game = (folder / "data.win").string();
    ASSERT_TRUE(WritePackageFile(sample_.tables, game));

    ASSERT_TRUE(loader_.Open(game));
    EXPECT_NE(debug_.find("Reading File " + game + "\nLoaded File " + game + "("),
              std::string::npos);
    EXPECT_NE(debug_.find("INIFile " + (folder / "options.ini").string() + " Exists, loading...."),
              std::string::npos);
    EXPECT_EQ(loader_.IniSettings().sleep_margin_ms, 3); // a line without "=" is no setting
    EXPECT_EQ(loader_.IniSettings().manual_vsync, true);
    EXPECT_FALSE(loader_.IniSettings().vertex_buffer_mode);
    EXPECT_TRUE(loader_.ReadHeader());

    const std::string missing = (folder / "nothing.win").string();
    PackageStatus status = loader_.Open(missing);
    EXPECT_EQ(status.error, "Unable to find game!!: " + missing);
    EXPECT_NE(debug_.find("FAILED to load File " + missing), std::string::npos);
}

} // namespace
