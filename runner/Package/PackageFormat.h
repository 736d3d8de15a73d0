// The game package's binary format, declared once for everything that reads it (the runner,
// pkgtool) and everything that writes it (the packer, tests, fuzz seeds): chunk tags, record
// layouts, flag bits, and the versions from which fields exist.
//
// Numbers are little-endian. Records sit at any byte offset, so the structs below are layouts
// only: they are moved in and out of the file with memcpy, never read through a cast pointer.
// The static_asserts pin each size and every offset that the rest of the runner relies on.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "records are copied byte for byte");

namespace package {

// ---------------------------------------------------------------------------------------------
// Tags and container

// Four ASCII characters compared as one little-endian word.
constexpr uint32_t MakeTag(const char (&text)[5]) {
    return uint32_t(uint8_t(text[0])) | uint32_t(uint8_t(text[1])) << 8 |
           uint32_t(uint8_t(text[2])) << 16 | uint32_t(uint8_t(text[3])) << 24;
}
constexpr uint32_t ReverseTag(uint32_t tag) {
    return (tag >> 24) | ((tag >> 8) & 0xFF00u) | ((tag << 8) & 0xFF0000u) | (tag << 24);
}

inline constexpr uint32_t kTagForm = MakeTag("FORM");
inline constexpr uint32_t kTagGen8 = MakeTag("GEN8");
inline constexpr uint32_t kTagGen7 = MakeTag("GEN7");
inline constexpr uint32_t kTagGenL = MakeTag("GENL");
inline constexpr uint32_t kTagOptn = MakeTag("OPTN");
inline constexpr uint32_t kTagLang = MakeTag("LANG");
inline constexpr uint32_t kTagExtn = MakeTag("EXTN");
inline constexpr uint32_t kTagSond = MakeTag("SOND");
inline constexpr uint32_t kTagAgrp = MakeTag("AGRP");
inline constexpr uint32_t kTagSprt = MakeTag("SPRT");
inline constexpr uint32_t kTagBgnd = MakeTag("BGND");
inline constexpr uint32_t kTagPath = MakeTag("PATH");
inline constexpr uint32_t kTagScpt = MakeTag("SCPT");
inline constexpr uint32_t kTagGlob = MakeTag("GLOB");
inline constexpr uint32_t kTagShdr = MakeTag("SHDR");
inline constexpr uint32_t kTagFont = MakeTag("FONT");
inline constexpr uint32_t kTagTmln = MakeTag("TMLN");
inline constexpr uint32_t kTagObjt = MakeTag("OBJT");
inline constexpr uint32_t kTagRoom = MakeTag("ROOM");
inline constexpr uint32_t kTagDafl = MakeTag("DAFL");
inline constexpr uint32_t kTagTpag = MakeTag("TPAG");
inline constexpr uint32_t kTagCode = MakeTag("CODE");
inline constexpr uint32_t kTagVari = MakeTag("VARI");
inline constexpr uint32_t kTagFunc = MakeTag("FUNC");
inline constexpr uint32_t kTagStrg = MakeTag("STRG");
inline constexpr uint32_t kTagTxtr = MakeTag("TXTR");
inline constexpr uint32_t kTagAudo = MakeTag("AUDO");
inline constexpr uint32_t kTagKten = MakeTag("KTEN");
inline constexpr uint32_t kTagTgin = MakeTag("TGIN");
inline constexpr uint32_t kTagEmbi = MakeTag("EMBI");
inline constexpr uint32_t kTagHelp = MakeTag("HELP");
inline constexpr uint32_t kTagRasp = MakeTag("RASP");
inline constexpr uint32_t kTagPsps = MakeTag("PSPS");
inline constexpr uint32_t kTagStat = MakeTag("STAT");

// The file starts with one of these (tag "FORM", length = file size - 8); every chunk too.
struct ChunkHeader {
    uint32_t tag;
    uint32_t length;
};
static_assert(sizeof(ChunkHeader) == 8);

// A reference is an absolute file offset; 0 means none. A resource list is a count followed
// by that many references, one per resource index; a 0 leaves that index empty.
inline constexpr uint32_t kNone = 0;

// A string: a length word, the characters, a NUL. References point at the first character.
inline constexpr uint32_t kStringLengthSize = 4;

// Internal format numbers of the header tags.
inline constexpr int32_t kFormatNumberGen8 = 800;
inline constexpr int32_t kFormatNumberGen7 = 700;

// What the writer writes unless told otherwise.
inline constexpr uint8_t kDefaultBytecodeVersion = 17;
inline constexpr uint32_t kDefaultMajorVersion = 2;

// A major version from this one on is a new project: layers, cameras, game speed in the header,
// per-second sprite speeds.
inline constexpr uint32_t kNewProjectMajorVersion = 2;

// ---------------------------------------------------------------------------------------------
// Header chunk (GEN8, GEN7, GENL)

// A 64-bit field that the layout puts at a 4-byte boundary.
struct Word64 {
    uint32_t low;
    uint32_t high;
    constexpr uint64_t Get() const { return uint64_t(high) << 32 | low; }
    static constexpr Word64 From(uint64_t value) {
        return {uint32_t(value), uint32_t(value >> 32)};
    }
};

struct HeaderRecord {
    uint8_t debug_disabled;
    uint8_t bytecode_version;
    uint16_t unused_2;
    uint32_t unused_4;
    uint32_t config_name; // string
    uint32_t last_instance_id;
    uint32_t last_tile_id;
    uint32_t game_id;
    uint8_t guid[16];
    uint32_t game_name; // string
    uint32_t major_version;
    uint32_t minor_version;
    uint32_t release;
    uint32_t build;
    uint32_t window_width;
    uint32_t window_height;
    uint32_t info_flags;
    uint32_t stored_72;
    uint8_t stored_76[16];
    Word64 timestamp;      // seconds since 1970
    uint32_t display_name; // string
    Word64 active_targets;
    Word64 function_classifications;
    uint32_t store_app_id;
    uint32_t debugger_port;
    uint32_t room_count; // followed by room_count room indices, then HeaderTail
};
static_assert(sizeof(HeaderRecord) == 132);
static_assert(offsetof(HeaderRecord, game_name) == 40);
static_assert(offsetof(HeaderRecord, window_width) == 60);
static_assert(offsetof(HeaderRecord, timestamp) == 92);
static_assert(offsetof(HeaderRecord, display_name) == 100);
static_assert(offsetof(HeaderRecord, debugger_port) == 124);

struct HeaderTail {
    uint8_t unused[40];
    float game_speed; // frames per second
};
static_assert(sizeof(HeaderTail) == 44);

// Fields that exist from (or after) a bytecode version.
inline constexpr uint8_t kDisplayNameAfterVersion = 9;
inline constexpr uint8_t kActiveTargetsAfterVersion = 10;
inline constexpr uint8_t kFunctionClassificationsFromVersion = 12;
inline constexpr uint8_t kStoreAppIdAfterVersion = 12;
inline constexpr uint8_t kDebuggerPortAfterVersion = 13;
inline constexpr uint8_t kGameSpeedFromVersion = 14; // and a new project

inline constexpr uint32_t kInfoFullScreen = 0x1;
inline constexpr uint32_t kInfoStoreService = 0x1000;

// ---------------------------------------------------------------------------------------------
// Options chunk (OPTN)

// The words after the flags, the same in both layouts.
struct OptionsTrailer {
    int32_t stored_scale; // 100 when the chunk is absent
    uint32_t window_colour;
    uint32_t stored_6[7];
    uint32_t stored_string; // string, not read
    uint32_t stored_14;
};
static_assert(sizeof(OptionsTrailer) == 44);

// New layout: a negative marker word, then the layout version.
struct OptionsRecord {
    int32_t marker;
    uint32_t layout_version;
    uint32_t flags;
    uint32_t flags_high;
    OptionsTrailer trailer;
    uint32_t constant_count; // followed by constant_count ConstantRecords
};
static_assert(sizeof(OptionsRecord) == 64);
static_assert(offsetof(OptionsRecord, trailer) + offsetof(OptionsTrailer, window_colour) == 20);

// Old layout: one word per option, word b standing for flag bit b.
inline constexpr uint32_t kLegacyOptionCount = 25;
struct LegacyOptionsRecord {
    uint32_t options[kLegacyOptionCount];
    OptionsTrailer trailer;
    uint32_t constant_count;
};
static_assert(offsetof(LegacyOptionsRecord, constant_count) == 0x90);

struct ConstantRecord {
    uint32_t name;  // string
    uint32_t value; // string
};

inline constexpr int32_t kOptionsMarker = INT32_MIN;
inline constexpr uint32_t kOptionsLayoutVersion = 2;

inline constexpr uint32_t kOptionFullScreen = 0x1;
inline constexpr uint32_t kOptionNewAudio = 0x4;
inline constexpr uint32_t kOptionShowCursor = 0x10;
inline constexpr uint32_t kOptionFreezeOnLostFocus = 0x8000;
inline constexpr uint32_t kOptionCreationEventOrder = 0x800000;
inline constexpr uint32_t kOptionFastCollision = 0x4000000;
inline constexpr uint32_t kOptionFastCollisionCompatibility = 0x8000000;
inline constexpr uint8_t kCreationEventOrderAfterVersion = 4;

inline constexpr char kConstantSleepMargin[] = "@@SleepMargin";
inline constexpr char kConstantDrawColour[] = "@@DrawColour";
inline constexpr char kConstantVersionMajor[] = "VersionMajor";
inline constexpr char kConstantVersionMinor[] = "VersionMinor";

// ---------------------------------------------------------------------------------------------
// Objects (OBJT): a resource list of object records

struct ObjectRecord {
    uint32_t name;
    int32_t sprite; // -1 none
    uint32_t visible;
    uint32_t solid;
    int32_t depth;
    uint32_t persistent;
    int32_t parent; // -1 none
    int32_t mask;   // -1: the sprite
};
static_assert(sizeof(ObjectRecord) == 32);

// Follows ObjectRecord from bytecode version kObjectPhysicsFromVersion.
struct ObjectPhysicsRecord {
    uint32_t uses_physics;
    uint32_t is_sensor;
    uint32_t shape;
    float density;
    float restitution;
    uint32_t group;
    float linear_damping;
    float angular_damping;
    uint32_t vertex_count;
};
static_assert(sizeof(ObjectPhysicsRecord) == 36);

// Follows ObjectPhysicsRecord from bytecode version kObjectFrictionFromVersion; then come the
// vertices, then the event table.
struct ObjectPhysicsExtraRecord {
    float friction;
    uint32_t awake;
    uint32_t kinematic;
};
static_assert(sizeof(ObjectPhysicsExtraRecord) == 12);

struct PhysicsVertexRecord {
    float x;
    float y;
    bool operator==(const PhysicsVertexRecord&) const = default;
};

inline constexpr uint8_t kObjectPhysicsFromVersion = 6;
inline constexpr uint8_t kObjectFrictionFromVersion = 9;
inline constexpr float kDefaultFriction = 0.2f;

// The event table: a count of event types (at most kEventTypeCount), then one reference per
// type to a list (count + references) of EventRecords.
inline constexpr uint32_t kEventTypeCount = 15;
inline constexpr int32_t kEventCollision = 4;

// Followed by action_count references to ActionRecords; the first action runs the handler.
struct EventRecord {
    int32_t subtype;
    uint32_t action_count;
};

struct ActionRecord {
    uint32_t unused[8];
    int32_t code_index;
};
static_assert(offsetof(ActionRecord, code_index) == 32);

// ---------------------------------------------------------------------------------------------
// Rooms (ROOM): a resource list of room records

struct RoomRecord {
    uint32_t name;
    uint32_t caption; // string
    uint32_t width;
    uint32_t height;
    uint32_t speed;
    uint32_t persistent;
    uint32_t colour;
    uint32_t draw_colour;
    int32_t creation_code; // -1 none
    uint16_t flags;
    uint16_t record_version;
    uint32_t backgrounds; // list of RoomBackgroundRecords
    uint32_t views;       // list of RoomViewRecords
    uint32_t instances;   // list of RoomInstanceRecords
    uint32_t tiles;       // list of LegacyTileRecords
};
static_assert(sizeof(RoomRecord) == 56);
static_assert(offsetof(RoomRecord, flags) == 36);

// Follows RoomRecord from bytecode version kRoomPhysicsFromVersion.
struct RoomPhysicsRecord {
    uint32_t world;
    uint32_t bounds[4]; // top, left, right, bottom; not read
    float gravity_x;
    float gravity_y;
    float pixels_to_metres;
};
static_assert(sizeof(RoomRecord) + sizeof(RoomPhysicsRecord) == 88);

// A layer list reference follows RoomPhysicsRecord when the record version is this or more.
inline constexpr uint16_t kRoomLayersFromRecordVersion = 2;
inline constexpr uint8_t kRoomPhysicsFromVersion = 6;
// A room uses at most this many backgrounds and views.
inline constexpr uint32_t kRoomSlotCount = 8;

inline constexpr uint16_t kRoomViewsEnabled = 0x1;
inline constexpr uint16_t kRoomClearWithWindowColour = 0x2;
inline constexpr uint16_t kRoomKeepDisplayBuffer = 0x4; // the inverse of "clear the display"

struct RoomBackgroundRecord {
    uint32_t visible;
    uint32_t foreground;
    int32_t background; // -1 none
    int32_t x;
    int32_t y;
    uint32_t tile_horizontally;
    uint32_t tile_vertically;
    int32_t speed_x;
    int32_t speed_y;
    uint32_t stretch;
    bool operator==(const RoomBackgroundRecord&) const = default;
};
static_assert(sizeof(RoomBackgroundRecord) == 40);

struct RoomViewRecord {
    uint32_t enabled;
    int32_t view_x;
    int32_t view_y;
    int32_t view_width;
    int32_t view_height;
    int32_t port_x;
    int32_t port_y;
    int32_t port_width;
    int32_t port_height;
    int32_t border_x;
    int32_t border_y;
    int32_t speed_x;
    int32_t speed_y;
    int32_t follow; // object index, -1 none
    bool operator==(const RoomViewRecord&) const = default;
};
static_assert(sizeof(RoomViewRecord) == 56);

struct RoomInstanceRecord {
    int32_t x;
    int32_t y;
    int32_t object;
    uint32_t id;
    int32_t creation_code; // -1 none
    float scale_x;
    float scale_y;
    float image_speed;
    float image_index;
    uint32_t colour;         // alpha in the top byte
    float rotation;          // degrees
    int32_t pre_create_code; // -1 none
    bool operator==(const RoomInstanceRecord&) const = default;
};
static_assert(sizeof(RoomInstanceRecord) == 48);

struct LegacyTileRecord {
    int32_t x;
    int32_t y;
    int32_t background;
    int32_t source_x;
    int32_t source_y;
    uint32_t width;
    uint32_t height;
    int32_t depth;
    uint32_t id;
    float scale_x;
    float scale_y;
    uint32_t colour; // alpha in the top byte
    bool operator==(const LegacyTileRecord&) const = default;
};
static_assert(sizeof(LegacyTileRecord) == 48);

// A layer's common header, followed by the words of its type.
struct LayerRecord {
    uint32_t name;
    uint32_t id;
    uint32_t type;
    int32_t depth;
    float x_offset;
    float y_offset;
    float speed_x;
    float speed_y;
    uint32_t visible;
};
static_assert(sizeof(LayerRecord) == 36);

inline constexpr uint32_t kLayerBackground = 1;
inline constexpr uint32_t kLayerInstances = 2; // a count, then that many instance ids
inline constexpr uint32_t kLayerAssets = 3;
inline constexpr uint32_t kLayerTiles = 4;

struct LayerBackgroundRecord {
    uint32_t visible;
    uint32_t foreground;
    int32_t sprite; // -1 none
    uint32_t tile_horizontally;
    uint32_t tile_vertically;
    uint32_t stretch;
    uint32_t colour; // blend in the low 24 bits, alpha 0-255 in the top byte
    float first_frame;
    float animation_speed;
    uint32_t speed_type; // 0 frames per second, 1 frames per game frame
    bool operator==(const LayerBackgroundRecord&) const = default;
};
static_assert(sizeof(LayerBackgroundRecord) == 40);

struct LayerAssetsRecord {
    uint32_t tiles;   // list of LegacyTileRecords
    uint32_t sprites; // list of SpriteElementRecords
};

struct SpriteElementRecord {
    uint32_t name;
    int32_t sprite;
    float x;
    float y;
    float scale_x;
    float scale_y;
    uint32_t colour; // alpha in the top byte
    float animation_speed;
    uint32_t speed_type;
    float frame;
    float rotation;
};
static_assert(sizeof(SpriteElementRecord) == 44);

// Followed by width x height cell words, row by row.
struct TileLayerRecord {
    int32_t tile_set; // background index
    uint32_t width;
    uint32_t height;
};

inline constexpr uint32_t kTileIndexMask = 0x7FFFF;
inline constexpr uint32_t kTileMirror = 0x10000000;
inline constexpr uint32_t kTileFlip = 0x20000000;
inline constexpr uint32_t kTileRotate = 0x40000000;

// ---------------------------------------------------------------------------------------------
// Sprites (SPRT): a resource list of sprite records

struct SpriteRecord {
    uint32_t name;
    uint32_t width;
    uint32_t height;
    int32_t bbox_left;
    int32_t bbox_right;
    int32_t bbox_bottom;
    int32_t bbox_top;
    uint32_t transparent;
    uint32_t smooth;
    uint32_t preload;
    uint32_t bbox_mode;
    uint32_t mask_kind;
    int32_t origin_x;
    int32_t origin_y;
    int32_t frame_count; // kSpriteExtendedMarker: SpriteExtendedRecord follows
};
static_assert(sizeof(SpriteRecord) == 60);

inline constexpr int32_t kSpriteExtendedMarker = -1;
inline constexpr uint32_t kSpriteLayoutVersion = 1;

// Extended layout: this, then with a new project SpriteSpeedRecord, then the frame count.
struct SpriteExtendedRecord {
    uint32_t layout_version;
    uint32_t type;
};
struct SpriteSpeedRecord {
    float speed;
    uint32_t speed_type; // 0 frames per second, 1 frames per game frame
};

// Both layouts continue the same way for a bitmap sprite: the frame count, that many
// references to texture page entries, a mask count M and M collision masks.
inline constexpr uint32_t kSpriteBitmap = 0;
inline constexpr uint32_t kSpriteVector = 1;
inline constexpr uint32_t kSpriteSkeletal = 2;

inline constexpr uint32_t kMaskPrecise = 1;
inline constexpr uint32_t kMaskRotatedRectangle = 2;

// A collision mask covers the sprite's width x height, one bit per pixel (1 = solid), rows
// top to bottom, the leftmost pixel in the most significant bit, each row padded to whole
// bytes. The masks follow one another; after the last, zero bytes pad to a 4-byte boundary.
constexpr uint64_t MaskRowBytes(uint32_t width) {
    return (uint64_t(width) + 7) / 8;
}
constexpr uint64_t MaskBytes(uint32_t width, uint32_t height) {
    return MaskRowBytes(width) * height;
}
constexpr uint64_t PadTo4(uint64_t size) {
    return (size + 3) & ~uint64_t(3);
}

// ---------------------------------------------------------------------------------------------
// Texture page entries (TPAG: a list of references to these) and textures (TXTR)

// Also the loaded entry: `texture` is replaced by the runtime texture id after loading.
struct TexturePageEntry {
    uint16_t source_x;
    uint16_t source_y;
    uint16_t source_width;
    uint16_t source_height;
    uint16_t target_x;
    uint16_t target_y;
    uint16_t target_width;
    uint16_t target_height;
    uint16_t frame_width;
    uint16_t frame_height;
    int16_t texture;
    bool operator==(const TexturePageEntry&) const = default;
};
static_assert(sizeof(TexturePageEntry) == 22);

// TXTR is a resource list of these: with major version 1 TextureRecord, later TextureRecordV2.
struct TextureRecord {
    uint32_t flags; // bit 0 goes to the texture maker
    uint32_t data;
};
struct TextureRecordV2 {
    uint32_t flags;
    uint32_t mip_count; // non-zero: generated mip levels
    uint32_t data;
};

// Texture data is a PNG file or a RAW block.
inline constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

inline constexpr uint32_t kTagRaw = MakeTag("RAW ");
// Followed by width x height pixels. A 16-bit pixel is a little-endian word with red in bits
// 12-15, green 8-11, blue 4-7 and alpha 0-3; a 32-bit pixel is the bytes red, green, blue,
// alpha.
struct RawTextureHeader {
    uint32_t tag;
    uint32_t width;
    uint32_t height;
    uint32_t format;
};
inline constexpr uint32_t kRawFormat16 = 1;
inline constexpr uint32_t kRawFormat32 = 0; // any value but kRawFormat16 reads as 32-bit

// Larger textures are refused before any pixel memory is taken.
inline constexpr uint32_t kMaxTextureSide = 16384;

// ---------------------------------------------------------------------------------------------
// Tile sets (BGND): a resource list of background records

// Followed by tile_count x frames_per_tile words: for tile t, frame f, the tile shown.
struct BackgroundRecord {
    uint32_t name;
    uint32_t transparent;
    uint32_t smooth;
    uint32_t preload;
    uint32_t texture_page; // texture page entry of the whole image, 0 none
    uint32_t tile_width;
    uint32_t tile_height;
    uint32_t border_x;
    uint32_t border_y;
    uint32_t columns;
    uint32_t frames_per_tile;
    uint32_t tile_count;
    uint32_t frame_time_us; // how long each animation frame shows
};
static_assert(sizeof(BackgroundRecord) == 52);

// ---------------------------------------------------------------------------------------------
// Fonts (FONT): a resource list of font records

// From bytecode version kFontLayoutFromVersion; followed by glyph_count glyph references.
struct FontRecord {
    uint32_t name;
    uint32_t face; // string
    uint32_t size; // a non-negative integer, or a float with its sign flipped
    uint32_t bold;
    uint32_t italic;
    uint32_t first_char; // and character set and anti-aliasing + 1, see below
    uint32_t last_char;
    uint32_t texture_page;
    float scale_x;
    float scale_y;
    uint32_t stored_40;
    uint32_t glyph_count;
};
static_assert(sizeof(FontRecord) == 48);
inline constexpr uint8_t kFontLayoutFromVersion = 17;
inline constexpr uint32_t kFontFirstCharMask = 0xFFFF;
inline constexpr uint32_t kFontCharsetShift = 16;
inline constexpr uint32_t kFontAntialiasShift = 24;

// Before kFontLayoutFromVersion: no character set or anti-aliasing bits in first_char, the
// size always an integer, and no stored word.
struct LegacyFontRecord {
    uint32_t name;
    uint32_t face;
    int32_t size;
    uint32_t bold;
    uint32_t italic;
    uint32_t first_char;
    uint32_t last_char;
    uint32_t texture_page;
    float scale_x;
    float scale_y;
    uint32_t glyph_count;
};
static_assert(sizeof(LegacyFontRecord) == 44);

// Also the loaded glyph. The rectangle is on the font's texture page entry's texture.
struct Glyph {
    uint16_t code_point;
    uint16_t x;
    uint16_t y;
    uint16_t width;
    uint16_t height;
    int16_t shift;  // advance
    int16_t offset; // left offset
    uint16_t reserved;
    bool operator==(const Glyph&) const = default;
};
static_assert(sizeof(Glyph) == 16);

// ---------------------------------------------------------------------------------------------
// Sounds (SOND: a resource list of sound records; AGRP: a resource list of audio group names;
// AUDO: a list of references to audio data, each a length word and the bytes)

struct SoundRecord {
    uint32_t name;
    uint32_t kind;      // 100-103 a loading mode, below 100 a legacy on/off
    uint32_t extension; // string
    uint32_t file_name; // string
    uint32_t effects;
    float volume;
    float pitch;
    int32_t group;
    int32_t audio; // index in AUDO, -1 none
};
static_assert(sizeof(SoundRecord) == 36);
static_assert(offsetof(SoundRecord, audio) == 32);

struct AudioGroupRecord {
    uint32_t name;
};

// ---------------------------------------------------------------------------------------------
// Code: strings (STRG), code entries (CODE), variables (VARI), functions (FUNC), scripts
// (SCPT), global initialisation (GLOB) and game-end (KTEN) scripts

// STRG: a count and that many references to string length words.
// GLOB, KTEN: a count and that many code entry indices.

// CODE: a count and that many references to code entries. The code bytes follow the record,
// then zero bytes pad to a 4-byte boundary.
struct CodeEntryRecord {
    uint32_t name;
    uint32_t length; // of the code bytes
    uint32_t local_count;
    uint32_t argument_count;
};

// SCPT: a resource list of these.
struct ScriptRecord {
    uint32_t name;
    int32_t code_index; // -1: no code
};

// VARI (from bytecode version kCodeTablesFromVersion): this, then VariableRecords to the end.
struct VariablesHeader {
    uint32_t global_count;
    uint32_t instance_count; // 0 reads as kDefaultInstanceVariableCount
    uint32_t max_local_count;
};
inline constexpr uint32_t kVariablesMinimumPayload = 32;
inline constexpr uint32_t kDefaultInstanceVariableCount = 2;

struct VariableRecord {
    uint32_t name;
    int32_t kind; // the scope: kVariableKindInstance, kVariableKindGlobal, kVariableKindLocal
    int32_t id;
    uint32_t occurrence_count;
    uint32_t first_occurrence;
};
static_assert(sizeof(VariableRecord) == 20);

inline constexpr int32_t kVariableKindInstance = -1;
inline constexpr int32_t kVariableKindGlobal = -5;
inline constexpr int32_t kVariableKindLocal = -7;

// FUNC: a count, that many FunctionRecords, then a count of local tables and the tables: each a
// CodeLocalsRecord and local_count LocalVariableRecords.
struct FunctionRecord {
    uint32_t name;
    uint32_t occurrence_count;
    uint32_t first_occurrence;
};
static_assert(sizeof(FunctionRecord) == 12);

struct CodeLocalsRecord {
    uint32_t code_name; // string: the code entry's name
    uint32_t local_count;
};
struct LocalVariableRecord {
    uint32_t index;
    uint32_t name;
};

// An occurrence of a variable or function is a place in the code bytes. The word 4 bytes after
// it holds, in these bits, the distance to the next occurrence; loading replaces them with the
// resolved number and keeps the top bits.
inline constexpr uint32_t kOccurrenceOperandOffset = 4;
inline constexpr uint32_t kOccurrenceDistanceMask = 0x0FFFFFFF;

inline constexpr uint8_t kCodeTablesFromVersion = 15;

} // namespace package
