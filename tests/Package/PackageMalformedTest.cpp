// Packages that are damaged or hostile are refused with one line that names the problem and
// its offset, and nothing is kept of them. Each case breaks a writer-made package in one way;
// data/malformed_packages.txt has the part of the refusal each case expects, by its name.
#include "Package/PackageReader.h"
#include "PackageTestSupport.h"
#include "PackageWriter.h"
#include "SamplePackage.h"
#include "TestFiles.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <sstream>

namespace {

using namespace package;
using namespace package_test;

struct MalformedCase {
    const char* name;
    std::function<void(GamePackage&)> edit_tables; // before writing, may be empty
    std::function<void(Bytes&)> edit_bytes;        // after writing, may be empty
};

MalformedCase Tables(const char* name, std::function<void(GamePackage&)> edit) {
    return {name, std::move(edit), {}};
}
MalformedCase Raw(const char* name, std::function<void(Bytes&)> edit) {
    return {name, {}, std::move(edit)};
}

uint32_t SpriteFrameField(const Bytes& bytes) {
    // Extended layout with speeds: record, version, type, speed, speed type, frame count.
    return ReferenceAt(bytes, kTagSprt, 0) + sizeof(SpriteRecord) + 20;
}

uint32_t TextureData(const Bytes& bytes, uint32_t texture) {
    return Word(bytes, ReferenceAt(bytes, kTagTxtr, texture) + offsetof(TextureRecordV2, data));
}

void SetBigEndian(Bytes& bytes, uint64_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = uint8_t(value >> (24 - 8 * i));
}

const MalformedCase kCases[] = {
    Raw("not a package", [](Bytes& b) { std::copy_n("FROM", 4, b.begin()); }),
    Raw("shorter than the container header", [](Bytes& b) { b.resize(5); }),
    Raw("length word mismatch", [](Bytes& b) { SetWord(b, 4, Word(b, 4) + 1); }),
    Raw("truncated file", [](Bytes& b) { b.resize(b.size() - 10); FixFormLength(b); }),
    Raw("chunk header cut off", [](Bytes& b) { b.insert(b.end(), 4, 0); FixFormLength(b); }),
    Raw("no header chunk", [](Bytes& b) { SetWord(b, ChunkAt(b, kTagGen8) - 8, MakeTag("XXXX")); }),
    Raw("a chunk twice", [](Bytes& b) { AppendChunk(b, kTagObjt, Bytes(4, 0)); }),
    Raw("record past the end",
        [](Bytes& b) { SetWord(b, ChunkAt(b, kTagObjt) + 4, uint32_t(b.size() + 100)); }),
    Raw("list count that overflows", [](Bytes& b) { SetWord(b, ChunkAt(b, kTagObjt), 1 << 30); }),
    Raw("instance count that overflows",
        [](Bytes& b) {
            SetWord(b, Word(b, ReferenceAt(b, kTagRoom, 0) + offsetof(RoomRecord, instances)), ~0u);
        }),
    Raw("string without its NUL", [](Bytes& b) { b[StringAt(b, "Snow Sans") + 9] = 'x'; }),
    Raw("string longer than the file",
        [](Bytes& b) { SetWord(b, StringAt(b, "Snow Sans") - 4, 0x7FFFFFFF); }),
    Tables("parent cycle", [](GamePackage& t) { t.objects[0]->parent_index = 1; }),
    Tables("own parent", [](GamePackage& t) { t.objects[2]->parent_index = 2; }),
    Tables("parent out of range", [](GamePackage& t) { t.objects[2]->parent_index = 3; }),
    Tables("sprite index out of range", [](GamePackage& t) { t.objects[2]->sprite_index = 9; }),
    Tables("event code out of range", [](GamePackage& t) { t.objects[1]->events[{3, 0}] = 5; }),
    Tables("collision with no object", [](GamePackage& t) { t.objects[1]->events[{4, 7}] = -1; }),
    // oActor's event table follows its physics words and three vertices.
    Raw("too many event types",
        [](Bytes& b) { SetWord(b, ReferenceAt(b, kTagObjt, 0) + 32 + 36 + 12 + 24, 16); }),
    Tables("room instance object out of range",
           [](GamePackage& t) { t.rooms[0]->instances[1].object = 3; }),
    Tables("room order out of range", [](GamePackage& t) { t.header.room_order = {1, 2}; }),
    Tables("tile outside its tile set",
           [](GamePackage& t) { t.rooms[0]->layers[3].tile_map.cells[1] = 9; }),
    Tables("unknown layer type", [](GamePackage& t) { t.rooms[0]->layers[1].type = 9; }),
    Raw("frame that is not a texture page entry",
        [](Bytes& b) { SetWord(b, SpriteFrameField(b), 12345); }),
    Raw("negative frame count",
        [](Bytes& b) { SetWord(b, ReferenceAt(b, kTagSprt, 2) + 56, uint32_t(-5)); }),
    Tables("tile set frame out of range", [](GamePackage& t) { t.backgrounds[0]->frames[7] = 4; }),
    Tables("sound data out of range", [](GamePackage& t) { t.sounds[0]->audio_index = 5; }),
    Tables("script code out of range", [](GamePackage& t) { t.scripts[0]->code_index = 5; }),
    Raw("RAW texture too large", [](Bytes& b) { SetWord(b, TextureData(b, 1) + 4, 100000); }),
    Raw("RAW pixels missing",
        [](Bytes& b) { for (uint32_t at : {4u, 8u}) SetWord(b, TextureData(b, 1) + at, 16000); }),
    Raw("PNG claiming more pixels than its data",
        [](Bytes& b) { for (int at : {16, 20}) SetBigEndian(b, TextureData(b, 0) + at, 16000); }),
    Raw("damaged PNG", [](Bytes& b) { b[StringAt(b, "IDAT") + 6] ^= 0x55; }),
    Raw("options layout version", [](Bytes& b) { SetWord(b, ChunkAt(b, kTagOptn) + 4, 3); }),
    Raw("variable table too short",
        [](Bytes& b) {
            SetWord(b, ChunkAt(b, kTagVari) - 8, MakeTag("XXXX"));
            AppendChunk(b, kTagVari, Bytes(16, 0));
        }),
    Raw("occurrence outside the code",
        [](Bytes& b) { SetWord(b, ChunkAt(b, kTagVari) + 12 + 16, 8); }),
    Raw("code entry past the end",
        [](Bytes& b) { SetWord(b, ChunkAt(b, kTagCode) + 8, uint32_t(b.size() - 4)); }),
    Raw("code entry reference 0", [](Bytes& b) { SetWord(b, ChunkAt(b, kTagCode) + 4, 0); }),
    // One room with many instances, and a room list whose every entry points at it: each
    // reference is a few bytes, but reading them all would build far more than the file holds.
    {"records shared by many references",
     [](GamePackage& t) {
         t.rooms[0]->instances.resize(2000, {0, 0, 0, 100001, -1, 1, 1, 1, 0, 0xFFFFFFFF, 0, -1});
         t.rooms.resize(300);
         t.header.room_order = {0};
     },
     [](Bytes& b) {
         for (uint32_t i = 1; i < 300; ++i)
             SetWord(b, ChunkAt(b, kTagRoom) + 4 + 4 * i, ReferenceAt(b, kTagRoom, 0));
     }},
};

TEST(PackageMalformed, EachDamageIsRefusedWithOneLineNamingTheProblemAndOffset) {
    std::map<std::string, std::string> expected;
    std::istringstream lines(ReadText(TEST_SOURCE_DIR "/Package/data/malformed_packages.txt"));
    for (std::string line; std::getline(lines, line);)
        expected[line.substr(0, line.find(": "))] = line.substr(line.find(": ") + 2);
    // With each case's name found among them, as many refusals as cases leaves none without one.
    EXPECT_EQ(expected.size(), std::size(kCases));
    for (const MalformedCase& malformed : kCases) {
        SCOPED_TRACE(malformed.name);
        SamplePackage sample;
        if (malformed.edit_tables) malformed.edit_tables(sample.tables);
        Bytes bytes = WritePackage(sample.tables);
        if (malformed.edit_bytes) malformed.edit_bytes(bytes);
        GamePackage package;
        PackageStatus status = ReadPackage(bytes, package);
        EXPECT_FALSE(status.ok);
        ASSERT_TRUE(expected.contains(malformed.name));
        EXPECT_NE(status.error.find(expected[malformed.name]), std::string::npos) << status.error;
        EXPECT_TRUE(std::regex_search(status.error, std::regex(" at offset [0-9]+$")))
            << status.error;
        EXPECT_EQ(status.error.find('\n'), std::string::npos) << status.error;
        // Nothing of a refused package is kept.
        EXPECT_TRUE(package.image.empty());
        EXPECT_TRUE(package.chunks.empty());
        EXPECT_TRUE(package.objects.empty());
    }
}

} // namespace
