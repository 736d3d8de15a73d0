// The packer on asset folders, mostly as its users run it: a folder into a package the reader
// takes, and bad input refused with one line naming where it is, and no package written.
#include <array>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <tuple>

#include "AssetErrorOf.h"
#include "AssetFolder.h"
#include "CaseTable.h"
#include "DesktopIcons.h"
#include "Graphics/PngImage.h"
#include "Package/PackageReader.h"
#include "PackageWriter.h"
#include "PkgtoolListings.h"
#include "Runner/ProcessRun.h"

namespace fs = std::filesystem;

namespace {

class PackerFolder : public ::testing::Test {
protected:
    void SetUp() override {
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::copy(TEST_SOURCE_DIR "/tools/folder_assets", assets_, fs::copy_options::recursive);
    }

    // Runs the packer: its exit status and what it wrote to stderr, as "exit N: ...".
    std::string Pack(const std::string& options = "") {
        const ProcessRun run = Execute(std::string(PACKER_PATH) + " " + assets_.string() + " -o " +
                                           package_.string() + options,
                                       (folder_ / "err.txt").string());
        return "exit " + std::to_string(run.exit_code) + ": " + run.errors;
    }

    const fs::path folder_ = fs::path(TEST_BINARY_DIR) / "packer" /
                             ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const fs::path assets_ = folder_ / "assets";
    const fs::path package_ = folder_ / "data.win";
};

// The packed test game run on `package` for a few frames.
ProcessRun RunPackedGame(const std::string& package) {
    return Execute(std::string(PACKED_TEST_GAME) + " -game " + package + " -nowindow -frames 30");
}

} // namespace

TEST_F(PackerFolder, ListedAssetsComeFirstAndTheRestInNameOrder) {
    ASSERT_EQ(Pack(), "exit 0: ");
    const std::string bytes = ReadText(package_);
    GamePackage package;
    ASSERT_TRUE(ReadPackage(std::vector<uint8_t>(bytes.begin(), bytes.end()), package).ok);
    ExpectListings(package_.string(), "packed_folder.txt");

    // A tile sheet keeps its clear first tile: tiles are found by their place on it.
    ASSERT_EQ(package.backgrounds.size(), 1u);
    const PackageBackground& tiles = *package.backgrounds[0];
    const package::TexturePageEntry& sheet = package.texture_page_entries[size_t(tiles.texture_page)];
    EXPECT_EQ(std::tie(sheet.source_width, sheet.target_x), std::make_tuple(32, 0));
    EXPECT_EQ(tiles.frames, (std::vector<uint32_t>{0, 0, 0, 1, 2, 3, 2, 2, 2, 3, 3, 3}));

    // Music streams from its file beside the package; effects are decoded at load.
    EXPECT_EQ(ReadText(folder_ / "bgmSnow.ogg").substr(0, 4), "OggS");
    ASSERT_EQ(package.audio.size(), 1u);
    EXPECT_EQ(std::string(package.audio[0].begin(), package.audio[0].begin() + 4), "OggS");
}

TEST_F(PackerFolder, AHandlerNoAssetDeclaresIsAWarning) {
    WriteText(assets_ / "objects" / "oCat.object", "events\n  Step\n");
    WriteText(folder_ / "game" / "Cat.cpp",
              "void psl_Object_oCat_Step_0() {}\nvoid psl_Object_oCat_Stpe_1() {}\n");
    EXPECT_EQ(Pack(" -code " + folder_.string() + " -game " + (folder_ / "game").string()),
              "exit 0: packer: warning: psl_Object_oCat_Stpe_1 is in the game's code, but no object "
              "or room declares it\n");
}

TEST_F(PackerFolder, SoundEncodingsAreReusedWhileTheirSourceIsUnchanged) {
    const fs::path cache = folder_ / "cache";
    auto cached_files = [&] {
        return std::distance(fs::directory_iterator(cache), fs::directory_iterator());
    };
    auto encoded = [&] {
        const AssetFolder assets(assets_, {}, cache);
        const auto& audio = assets.Package().audio[0];
        return std::vector<uint8_t>(audio.begin(), audio.end());
    };
    const std::vector<uint8_t> first = encoded();
    EXPECT_EQ(cached_files(), 2);
    const fs::path file = fs::directory_iterator(cache)->path();
    const auto written = fs::last_write_time(file);
    EXPECT_EQ(encoded(), first);
    EXPECT_EQ(cached_files(), 2);
    EXPECT_EQ(fs::last_write_time(file), written);

    WriteText(assets_ / "sounds" / "sfxJump.sound", "tone\n  length 0.05\n  pitch 300 900\n");
    EXPECT_NE(encoded(), first);
    EXPECT_EQ(cached_files(), 3);
}

// Each case of data/bad_folders.txt changes one file of the folder as it came.
TEST_F(PackerFolder, BadInputIsNamedAndLeavesThePackageAlone) {
    WriteText(package_, "the previous package");
    for (const TextCase& c : ReadCaseTable(TEST_SOURCE_DIR "/tools/data/bad_folders.txt")) {
        fs::remove_all(assets_);
        fs::copy(TEST_SOURCE_DIR "/tools/folder_assets", assets_, fs::copy_options::recursive);
        if (c.fields[1] == "-") fs::remove(assets_ / c.fields[0]);
        else WriteText(assets_ / c.fields[0], c.fields[1]);
        EXPECT_EQ(Pack(), "exit 1: " + assets_.string() + "/" + c.fields.at(2) + "\n") << c.line;
        EXPECT_EQ(ReadText(package_), "the previous package");
    }
}

TEST_F(PackerFolder, CheckpointsAndExitsThatWouldTrapThePlayerAreRefused) {
    // A player 8 wide and 20 tall standing on her origin, a block kind, and two one-screen rooms.
    std::string mask = "origin 4 20\nframe\n";
    for (int row = 0; row < 20; ++row)
        mask += "  kkkkkkkk\n";
    WriteText(assets_ / "sprites" / "sMireth.sprite", mask);
    for (const auto& [name, text] :
         {std::pair{"oChar", "mask sMireth\n"}, {"oBlock", ""}, {"oSnowBlock", "parent oBlock\n"},
          {"oBossBlock", "parent oBlock\n"}, {"oCheckpoint", ""}, {"oExitControl", ""}})
        WriteText(assets_ / "objects" / (std::string(name) + ".object"), text);
    const std::string floor = "  XXXXXXXXXXXXXXXXXXXX\n  XXXXXXXXXXXXXXXXXXXX\n";
    const std::string gap = "  ....................\n";
    auto room = [&](const std::string& rows, const std::string& instances, const std::string& exits = "") {
        std::string text = "screens 1 1\nlegend\n  X oSnowBlock stretch\n  B oBossBlock\n  c oCheckpoint\nmap\n";
        for (int row = 0; row < 8; ++row)
            text += gap;
        return text + rows + floor + "instances\n" + instances + (exits.empty() ? "" : "exits\n" + exits);
    };
    const fs::path a = assets_ / "rooms" / "rmA.room";
    const std::string exit = "  right edge of screen 0,0 -> rmB 0,0\n";
    WriteText(a, room(gap + gap, "  oCheckpoint 40 160\n", exit));
    // An arena wall is open outside a fight, so it does not block the way in.
    WriteText(assets_ / "rooms" / "rmB.room", room("  B...................\n" + gap, "  oCheckpoint 40 160\n"));
    ASSERT_EQ(Pack(), "exit 0: ");

    const std::string at = "exit 1: " + a.string(), off_ground = " is not on ground: its y is the feet, and cell ";
    WriteText(a, room(gap + "  ..X.................\n", "  oCheckpoint 40 160\n"));
    EXPECT_EQ(Pack(),
              at + ":20:3: the checkpoint at 40,160 puts the player inside the block at cell 2,9\n");
    WriteText(a, room(gap + gap, "  oCheckpoint 40 140\n"));
    EXPECT_EQ(Pack(), at + ":20:3: the checkpoint at 40,140" + off_ground + "2,8 there is not a block\n");
    // A checkpoint from the map stands on its own cell's top, in mid-air.
    WriteText(a, room(gap + "  ..c.................\n", ""));
    EXPECT_EQ(Pack(), at + ":16:5: the checkpoint at 32,144" + off_ground + "2,9 there is not a block\n");

    WriteText(a, room(gap + gap, "  oCheckpoint 40 160\n", exit));
    WriteText(assets_ / "rooms" / "rmB.room", room("  X...................\n" + gap, "  oCheckpoint 40 160\n"));
    EXPECT_EQ(Pack(), at + ":22:3: walking across at y 160 puts the player at 0,160 in rmB, inside "
                              "the block at cell 0,8\n");
}

// Names are resolved across the folder; the text of one object is checked in asset_errors.txt.
TEST_F(PackerFolder, ObjectsNameEventsAndEachOtherOrAreRefused) {
    auto error_of = [&](const std::string& object_text) {
        WriteText(assets_ / "objects" / "oA.object", object_text);
        return AssetErrorOf([&] { AssetFolder folder(assets_); });
    };
    const std::string file = (assets_ / "objects" / "oA.object").string();
    EXPECT_EQ(error_of("events\n  Create\n  Alarm 11\n  User 15\n  DrawGUIEnd\n  Collision oA\n"), "");
    EXPECT_EQ(error_of("events\n  Collision oNobody\n"), file + ":2:3: no object named \"oNobody\"");
    EXPECT_EQ(error_of("sprite sNone\n"), file + ":1:8: no sprite named \"sNone\"");

    WriteText(assets_ / "objects" / "oB.object", "parent oA\n");
    EXPECT_EQ(error_of("parent oB\n"), file + ":1:8: the parents of \"oA\" go round in a circle");
}

// The icons as the game's build makes them, from Mireth's sprite.
TEST_F(PackerFolder, IconsComeAtEverySizeAndTheWindowsIsTheFortyEightPixelOne) {
    const std::string icons = (folder_ / "icons").string(), code = (folder_ / "code").string();
    const auto draw = [&](const std::string& sprite) {
        return Execute(std::string(PACKER_PATH) + " " + TEST_SOURCE_DIR "/../assets -icons " + sprite + " " + icons +
                       " snowtide.png " + code);
    };
    const ProcessRun run = draw("sMirethIdle");
    ASSERT_EQ(run.exit_code, 0) << run.output;
    RgbaImage window;
    for (int side : kIconSides) {
        const std::string size = std::to_string(side) + "x" + std::to_string(side);
        RgbaImage icon;
        std::string error;
        ASSERT_TRUE(ReadPng(icons + "/" + size + "/apps/snowtide.png", icon, error)) << error;
        EXPECT_EQ((std::array{icon.width, icon.height}), (std::array{side, side}));
        EXPECT_EQ(icon.pixels[3], 0) << size; // a transparent corner
        if (side == kWindowIconSide) window = icon;
    }
    // The built-in pixels are the 48-pixel file's.
    const std::string source = ReadText(code + "/GameIcon.cpp");
    ASSERT_NE(source.find("return {48, 48, kPixels}"), std::string::npos) << source;
    std::vector<uint8_t> pixels;
    const size_t start = source.find("kPixels[] = {") + 13;
    std::istringstream numbers(source.substr(start, source.find("};", start) - start));
    for (std::string number; std::getline(numbers, number, ',');)
        if (number.find_first_of("0123456789") != std::string::npos) pixels.push_back(uint8_t(std::stoi(number)));
    EXPECT_EQ(pixels, window.pixels);

    const ProcessRun missing = draw("sNobody");
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.output.find("sNobody.sprite"), std::string::npos) << missing.output;
}

TEST(PackedTestGame, TheRunnerPlaysWhatThePackerMadeAndNoOtherBuildOfIt) {
    ProcessRun run = RunPackedGame(PACKED_TEST_PACKAGE);
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_NE(run.output.find("Entering main loop."), std::string::npos) << run.output;

    // The same package with another stamp, as a package from another build would have.
    const std::string bytes = ReadText(PACKED_TEST_PACKAGE);
    GamePackage package;
    ASSERT_TRUE(ReadPackage(std::vector<uint8_t>(bytes.begin(), bytes.end()), package).ok);
    package.header.timestamp += 1;
    const std::string other = (fs::path(TEST_BINARY_DIR) / "other_build.win").string();
    ASSERT_TRUE(WritePackageFile(package, other));
    run = RunPackedGame(other);
    EXPECT_EQ(run.exit_code, 1);
    EXPECT_NE(run.output.find("the package was built for another build of the game"),
              std::string::npos)
        << run.output;
}
