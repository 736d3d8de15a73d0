// pkgtool as its users run it: the info and dump listings of a writer-made package, and the
// exit status and one-line reason for files it refuses.
#include "Package/PackageReader.h"
#include "Package/PackageTestSupport.h"
#include "PackageWriter.h"
#include "Runner/ProcessRun.h"
#include "SamplePackage.h"
#include "TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

class Pkgtool : public ::testing::Test {
protected:
    void SetUp() override {
        std::vector<uint8_t> bytes = WritePackage(sample_.tables);
        // A zero-length chunk at the end is listed like any other.
        package_test::AppendChunk(bytes, package::kTagRoom, {});
        WriteText(package_, std::string(bytes.begin(), bytes.end()));
        ASSERT_TRUE(ReadPackage(bytes, read_).ok);
    }

    ProcessRun Pkg(const std::string& arguments) {
        return Execute(std::string(PKGTOOL_PATH) + " " + arguments, (folder_ / "err.txt").string());
    }

    // One folder per test: ctest runs them side by side.
    const std::filesystem::path folder_ =
        std::filesystem::path(TEST_BINARY_DIR) / "pkgtool" /
        ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::string package_ = (folder_ / "data.win").string();
    SamplePackage sample_;
    GamePackage read_;
};

TEST_F(Pkgtool, InfoListsHeaderFieldsChunksAndCounts) {
    ProcessRun run = Pkg("info " + package_);
    ASSERT_EQ(run.exit_code, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
    for (const char* line :
         {"game_name: Snowtide\n", "display_name: Snowtide Test\n", "bytecode_version: 17\n",
          "major_version: 2\n", "window_width: 320\n", "window_height: 180\n", "game_speed: 50\n",
          "room_order: 1,0\n", "objects: 3\n", "rooms: 2\n", "sprites: 4\n", "sounds: 3\n",
          "fonts: 2\n", "textures: 4\n", "code: 5\n"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line;

    // One line per chunk, in file order, the zero-length one too.
    std::string chunks;
    for (const PackageChunk& chunk : read_.chunks)
        chunks += "chunk " + ChunkTagText(chunk.tag) + " " + std::to_string(chunk.length) + "\n";
    EXPECT_NE(run.output.find(chunks), std::string::npos) << run.output;
    EXPECT_NE(chunks.find("chunk ROOM 0\n"), std::string::npos);
}

TEST_F(Pkgtool, DumpShowsTheRecordsOfOneKind) {
    ProcessRun run = Pkg("dump " + package_ + " objects 1");
    ASSERT_EQ(run.exit_code, 0) << run.errors;
    EXPECT_EQ(run.output, "object 1 \"oChar\"\n"
                       "  sprite: 0  mask: 2  parent: 0  depth: -5\n"
                       "  visible: 1  solid: 1  persistent: 1  physics: 0\n"
                       "  event 3/0: code 2\n"
                       "  event 4/0: code -1\n"
                       "  event 8/73: code 2\n");

    run = Pkg("dump " + package_ + " rooms 0");
    EXPECT_NE(run.output.find("  layer \"Tiles\" id 4 tiles depth 100"), std::string::npos);
    EXPECT_NE(run.output.find("    tile set 0, 3x2 cells\n    0 1 10000002\n"), std::string::npos)
        << run.output;

    // Every kind dumps to its last record, empty slots too.
    for (const auto& [kind, part] :
         {std::pair{"backgrounds", "background 0 \"tsSnow\""}, {"fonts", "font 1 \"fntBig\""},
          {"sounds", "sound 2: (empty)"}, {"code", "code 4 \"psl_RoomCC_rmSnow_0_Create\""},
          {"textures", "texture 2\n  (empty)\ntexture 3\n  raw16 4x2"},
          {"sprites", "  frames: 0 1\nsprite 1: (empty)\nsprite 2 \"sBlock\"\n"},
          {"strings", "\"a string only the code uses\""}}) {
        run = Pkg("dump " + package_ + " " + kind);
        EXPECT_EQ(run.exit_code, 0) << kind;
        EXPECT_NE(run.output.find(part), std::string::npos) << run.output;
    }

    // A wrong command line is not a refused file.
    EXPECT_EQ(Pkg("dump " + package_ + " paths").exit_code, 1);
    EXPECT_EQ(Pkg("dump " + package_ + " objects 3").exit_code, 1);
    EXPECT_EQ(Pkg("list " + package_).exit_code, 1);
}

TEST_F(Pkgtool, RefusedFilesExitWithTwoAndOneLine) {
    const std::string broken = (folder_ / "broken.win").string();
    WriteText(broken, "FROM and not much more");
    ProcessRun run = Pkg("info " + broken);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.output, "");
    EXPECT_EQ(run.errors, broken +
                           ": not a game package: it starts with \"FROM\" instead of \"FORM\" at "
                           "offset 0\n");

    run = Pkg("dump " + (folder_ / "missing.win").string() + " objects");
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1);
}

} // namespace
