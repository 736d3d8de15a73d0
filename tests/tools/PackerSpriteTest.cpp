// The packer's asset syntax, sprites written as palette rows, and texture pages, checked through
// the package reader: what the runner reads is what the rows say. Bad text of every kind of
// asset is refused where it is (data/asset_errors.txt).
#include <array>
#include <gtest/gtest.h>

#include "AssetErrorOf.h"
#include "CaseTable.h"
#include "DesktopIcons.h"
#include "ObjectSource.h"
#include "Package/PackageReader.h"
#include "PackageWriter.h"
#include "RoomExits.h"
#include "SoundSource.h"
#include "SpriteRecord.h"
#include "TestFiles.h"

namespace {

Palette SharedPalette() {
    Palette palette;
    palette.AddDocument(AssetDocument::Parse(". transparent\nk #102030\nw #f0e0d0\n", "palette.txt"));
    return palette;
}

// Two 6x4 frames with a colour of their own, a precise mask and a speed.
const std::string kWalker = ReadText(TEST_SOURCE_DIR "/tools/data/walker.sprite");

} // namespace

TEST(PackerAssetDocument, KeysArgumentsAndIndentedBodies) {
    const AssetDocument document = AssetDocument::Parse(
        "# comment\n\nsay hello \"two words\" \"a \\\"q\\\"\" -3.5\nrows\n    ab\n      cd\n\n    # skipped\n    ef\r\nlast\n",
        "t.txt");
    ASSERT_EQ(document.Entries().size(), 3u);
    const AssetEntry& say = document.Entries()[0];
    EXPECT_EQ(say.key, "say");
    EXPECT_EQ(say.args, (std::vector<std::string>{"hello", "two words", "a \"q\"", "-3.5"}));
    EXPECT_EQ(say.arg_spots[1].Text(), "t.txt:3:11");
    EXPECT_DOUBLE_EQ(say.Number(3), -3.5);
    const AssetEntry& rows = *document.Find("rows");
    ASSERT_EQ(rows.body.size(), 3u);
    EXPECT_EQ(rows.body[0].text, "ab");
    EXPECT_EQ(rows.body[1].text, "  cd"); // deeper indentation is kept
    EXPECT_EQ(rows.body[2].text, "ef");   // and a Windows line end dropped
    EXPECT_EQ(rows.body[2].spot.Text(), "t.txt:9:5");
    EXPECT_TRUE(document.Find("last")->body.empty());

    EXPECT_EQ(AssetErrorOf([] { AssetDocument::Parse("n 1.5\n", "t.txt").Entries()[0].Int(0); }),
              "t.txt:1:3: \"1.5\" is not a whole number");
}

// The walker's frames trimmed onto a page, shared with a sprite of the same frames; the golden
// test of packed sprites draws such pages pixel for pixel.
TEST(PackerSprite, RowsBecomeFramesWithBoxAndMasksOnSharedTrimmedTexturePages) {
    const SpriteSource walker =
        ReadSprite(AssetDocument::Parse(kWalker, "w.sprite"), "sWalker", SharedPalette());
    ASSERT_EQ(walker.frames.size(), 2u);
    EXPECT_EQ((std::array{walker.width, walker.height, walker.origin_x, walker.origin_y}),
              (std::array{6, 4, 3, 2}));
    EXPECT_EQ(walker.speed_type, 0u);
    EXPECT_EQ(walker.frames[0].At(2, 2), (Texel{0xc0, 0x20, 0x20, 0xff}));
    EXPECT_EQ(walker.frames[1].At(1, 2), (Texel{0x10, 0x20, 0x30, 0xff}));
    EXPECT_EQ(walker.frames[0].At(0, 0).a, 0);

    TexturePageBuilder pages(16);
    GamePackage package;
    const PackageSprite& record =
        *package.sprites.emplace_back(MakeSpriteRecord(walker, "sWalker", pages));
    // The box spans both frames' opaque pixels.
    EXPECT_EQ((std::array{record.bbox_left, record.bbox_top, record.bbox_right, record.bbox_bottom}),
              (std::array{1, 1, 4, 3}));
    EXPECT_EQ(record.mask_kind, package::kMaskPrecise);
    ASSERT_EQ(record.masks.size(), 2u);
    // Row 2 of frame 0 (".krrk.") is bits 1 to 4 of its byte, leftmost pixel highest.
    EXPECT_EQ(record.masks[0][2], 0b01111000);
    EXPECT_EQ(record.masks[0][3], 0);
    EXPECT_EQ(record.masks[1][3], 0b00110000);

    package.sprites.emplace_back(MakeSpriteRecord(walker, "sTwice", pages));
    EXPECT_EQ(package.sprites[1]->frames, package.sprites[0]->frames);
    pages.Write(package);
    // Two trimmed parts of 4x2 and 4x3 on a 16-wide page: 20 of its 16x5 pixels at most.
    ASSERT_EQ(package.textures.size(), 1u);
    EXPECT_GT(pages.Occupancy(), 0.2);
    GamePackage read;
    ASSERT_TRUE(ReadPackage(WritePackage(package), read).ok);
    ASSERT_EQ(read.texture_page_entries.size(), 2u);
    for (const package::TexturePageEntry& entry : read.texture_page_entries)
        EXPECT_EQ((std::array{entry.frame_width, entry.frame_height, entry.target_x, entry.target_y,
                              entry.target_width}),
                  (std::array<uint16_t, 5>{6, 4, 1, 1, 4}));

    TexturePageBuilder tiny(4);
    tiny.AddFrame(walker.frames[0]);
    GamePackage refused;
    EXPECT_THROW(tiny.Write(refused), std::runtime_error);
}

TEST(PackerAssetDocument, BadTextOfEveryKindIsRefusedWhereItIs) {
    const Palette palette = SharedPalette();
    const ExitTargetLookup lookup = [](const std::string& name, const SourceSpot& spot) {
        if (name != "rmOther") throw AssetError(spot, "no room named " + name);
        return ExitTarget{5, {3, 3}};
    };
    const std::vector<TextCase> cases = ReadCaseTable(TEST_SOURCE_DIR "/tools/data/asset_errors.txt");
    for (const TextCase& c : cases) {
        const std::string& reader = c.fields[0];
        const std::string error = AssetErrorOf([&] {
            const AssetDocument document = AssetDocument::Parse(c.fields[1], "a.txt");
            if (reader == "sprite") ReadSprite(document, "sTest", palette);
            if (reader == "effect") ReadEffect(document, "sfxTest");
            if (reader == "music") ReadMusic(document, "bgmTest");
            if (reader == "object") ReadObject(document, "oTest");
            if (reader != "room" && reader != "exits") return;
            const RoomSource room = ReadRoom(document, "rmTest", 320, 180);
            if (reader == "exits") ExitRecords(room, {room.width / 320, room.height / 180}, lookup);
        });
        EXPECT_EQ(error, c.fields[2]) << c.line;
    }
    EXPECT_EQ(cases.size(), 39u);
}

TEST(PackerIcons, TheOutlinedFigureIsScaledByWholeNumbersAndCentredOnATransparentSquare) {
    // A 2x3 figure in a frame with a transparent border: 4x5 with its outline.
    const SpriteSource source =
        ReadSprite(AssetDocument::Parse("frame\n  .....\n  .kw..\n  .ww..\n  .wk..\n", "i.sprite"), "sIcon", SharedPalette());
    const Texel k{0x10, 0x20, 0x30, 0xff}, w{0xf0, 0xe0, 0xd0, 0xff}, black{0, 0, 0, 0xff}, clear{};
    // x3 is the most that fits 16: 12x15, two columns in from the left, none from the top.
    const PixelImage big = IconImage(source.frames[0], 16);
    ASSERT_EQ((std::array{big.width, big.height}), (std::array{16, 16}));
    EXPECT_EQ(big.At(5, 3), k);
    EXPECT_EQ(big.At(7, 5), k);
    EXPECT_EQ(big.At(8, 3), w);
    EXPECT_EQ(big.At(8, 9), k);
    for (const auto& [x, y] : {std::pair{5, 0}, {2, 3}, {13, 11}, {5, 14}}) EXPECT_EQ(big.At(x, y), black) << x << "," << y;
    // The outline's corners stay clear, as does all beyond it.
    for (const auto& [x, y] : {std::pair{2, 0}, {13, 14}, {1, 5}, {14, 5}, {8, 15}}) EXPECT_EQ(big.At(x, y), clear) << x << "," << y;
    // Too large for 2: shrunk by 3, each pixel the mean of those it covers, by their opacity.
    const PixelImage small = IconImage(source.frames[0], 2);
    EXPECT_EQ(small.At(0, 0), (Texel{(0x10 + 3 * 0xf0) / 8, (0x20 + 3 * 0xe0) / 8, (0x30 + 3 * 0xd0) / 8, 8 * 0xff / 9}));
    EXPECT_EQ(small.At(1, 0), (Texel{0, 0, 0, 2 * 0xff / 3}));
}
