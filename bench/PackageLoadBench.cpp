// Loading a package of the game's size from disk to ready resource tables: 200 sprites of four
// frames with masks, 20 texture pages of 1024x1024 (PNG), 60 rooms with tile maps, instances
// and layers, 400 code entries, fonts and sounds. Prints the time per load, the package's size,
// and the peak memory of the first load above what the process held before it.
#include "Base/OutputChannel.h"
#include "Code/Builtins.h"
#include "Code/EventNames.h"
#include "Package/PackageLoader.h"
#include "PackageWriter.h"
#include "Runner/BuiltinWiring.h"
#include "SamplePackage.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using namespace package;

constexpr uint32_t kPageSide = 1024;

// A page of 32x32 cells: solid colours with a dithered edge and transparent gaps, closer to a
// sprite sheet than noise or a flat fill.
PackageTexture Page(uint32_t seed) {
    PackageTexture page;
    page.width = page.height = kPageSide;
    page.pixels.resize(size_t(kPageSide) * kPageSide * 4);
    for (uint32_t y = 0; y < kPageSide; ++y)
        for (uint32_t x = 0; x < kPageSide; ++x) {
            const uint32_t cell = (x / 32) * 31 + (y / 32) * 17 + seed;
            const bool inside = (x % 32) > 2 && (y % 32) > 2 && (cell % 5) != 0;
            uint8_t* pixel = &page.pixels[(size_t(y) * kPageSide + x) * 4];
            pixel[0] = uint8_t(cell * 53 + ((x ^ y) & 3) * 8);
            pixel[1] = uint8_t(cell * 97);
            pixel[2] = uint8_t(cell * 29 + (y % 32));
            pixel[3] = inside ? 255 : 0;
        }
    return page;
}

// The game-sized package, written once to a file beside the benchmark.
struct GamePackageFile {
    SamplePackage storage;
    GameLink link;
    std::string path;
    size_t bytes = 0;

    GamePackageFile() {
        GamePackage& t = storage.tables;
        t = GamePackage{};
        t.header.game_name = storage.Text("Snowtide");
        t.header.window_width = 320;
        t.header.window_height = 180;
        // Entry o * 3 + k is object o's Create, Step or Draw handler; then 100 scripts.
        for (uint32_t o = 0; o < 100; ++o)
            for (int32_t type : {0, 3, 8})
                storage.AddCode("psl_Object_oObject" + std::to_string(o) + "_" +
                                    EventTypeName(type) + "_0",
                                64);
        for (uint32_t s = 0; s < 100; ++s)
            storage.AddCode("psl_Script_script" + std::to_string(s), 64);
        for (uint32_t i = 0; i < 20; ++i)
            t.textures.push_back(Page(i));

        for (uint32_t s = 0; s < 200; ++s) {
            PackageSprite sprite;
            sprite.name = storage.Text("sSprite" + std::to_string(s));
            sprite.width = sprite.height = 32;
            sprite.origin_x = sprite.origin_y = 16;
            sprite.mask_kind = kMaskPrecise;
            for (uint16_t f = 0; f < 4; ++f) {
                const uint16_t cell = uint16_t(s * 4 + f);
                sprite.frames.push_back(int32_t(t.texture_page_entries.size()));
                t.texture_page_entries.push_back({uint16_t(cell % 32 * 32),
                                                  uint16_t(cell / 32 % 32 * 32), 32, 32, 0, 0, 32,
                                                  32, 32, 32, int16_t(cell / 1024)});
                sprite.masks.emplace_back(MaskBytes(32, 32), uint8_t(0x3C + f));
            }
            t.sprites.push_back(sprite);
        }

        PackageBackground tiles;
        tiles.name = storage.Text("tsWorld");
        tiles.texture_page = 0;
        tiles.tile_width = tiles.tile_height = 16;
        tiles.columns = 64;
        tiles.tile_count = 1024;
        tiles.frames.resize(1024);
        for (uint32_t i = 0; i < 1024; ++i)
            tiles.frames[i] = i;
        t.backgrounds.push_back(tiles);

        for (uint32_t o = 0; o < 100; ++o) {
            PackageObject object;
            object.name = storage.Text("oObject" + std::to_string(o));
            object.sprite_index = int32_t(o);
            object.parent_index = o ? 0 : -1;
            object.events = {{{0, 0}, int32_t(o * 3)},
                             {{3, 0}, int32_t(o * 3 + 1)},
                             {{8, 0}, int32_t(o * 3 + 2)}};
            t.objects.push_back(object);
        }

        for (uint32_t r = 0; r < 60; ++r) {
            PackageRoom room;
            room.name = storage.Text("rmRoom" + std::to_string(r));
            room.width = 640;
            room.height = 368;
            room.views = {{1, 0, 0, 320, 184, 0, 0, 640, 368, 32, 32, -1, -1, -1}};
            RoomLayer instances;
            instances.name = storage.Text("Instances");
            for (uint32_t i = 0; i < 50; ++i) {
                const uint32_t id = 100001 + r * 50 + i;
                room.instances.push_back({int32_t(i * 16 % 640), int32_t(i * 16 / 640 * 16),
                                          int32_t(i % 100), id, -1, 1, 1, 1, 0, 0xFFFFFFFF, 0, -1});
                instances.instance_ids.push_back(id);
            }
            RoomLayer tile_layer;
            tile_layer.name = storage.Text("Tiles");
            tile_layer.type = kLayerTiles;
            tile_layer.tile_map = {0, 40, 23, std::vector<uint32_t>(40 * 23)};
            for (uint32_t c = 0; c < 40 * 23; ++c)
                tile_layer.tile_map.cells[c] = (c * 7 + r) % 1024;
            RoomLayer backdrop;
            backdrop.name = storage.Text("Backdrop");
            backdrop.type = kLayerBackground;
            backdrop.background.sprite = int32_t(r);
            room.layers = {backdrop, instances, tile_layer};
            t.rooms.push_back(room);
            t.header.room_order.push_back(int32_t(r));
        }

        for (uint32_t f = 0; f < 4; ++f) {
            PackageFont font;
            font.name = storage.Text("fnt" + std::to_string(f));
            font.face = storage.Text("Snow Sans");
            font.size = 12;
            font.texture_page = 0;
            for (uint16_t c = 32; c < 127; ++c)
                font.glyphs.push_back({c, uint16_t(c * 8 % 1024), 0, 8, 12, 8, 0, 0});
            t.fonts.push_back(font);
        }
        for (uint32_t s = 0; s < 30; ++s) {
            t.audio.push_back(storage.Bytes(std::vector<uint8_t>(50000, uint8_t(s))));
            t.sounds.push_back(PackageSound{
                storage.Text("snd" + std::to_string(s)), 100, {}, {}, 0, 1, 1, 0, int32_t(s)});
        }

        path = (std::filesystem::temp_directory_path() / "bench_package.win").string();
        WritePackageFile(t, path);
        bytes = std::filesystem::file_size(path);
        link = storage.Link();
    }
};

// Kilobytes from a "Name:  value kB" line of /proc/self/status.
long StatusKilobytes(const char* name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(name, 0) == 0) return std::stol(line.substr(std::string(name).size()));
    return -1;
}

bool LoadOnce(const GamePackageFile& file) {
    PackageLoader loader(RegisterBuiltinFunctions);
    bool loaded = loader.Open(file.path) && loader.ReadHeader() && loader.LoadGameData();
    benchmark::DoNotOptimize(loader.Package().textures.data());
    return loaded;
}

// The peak resident size of the process's first load above what it held before. Measured
// once: freed memory stays with the allocator, so later loads would hide their peak.
double FirstLoadPeakMiB(const GamePackageFile& file) {
    static const double peak = [&file] {
        std::ofstream("/proc/self/clear_refs") << "5"; // restarts the peak
        const long before_kb = StatusKilobytes("VmRSS:");
        LoadOnce(file);
        return double(StatusKilobytes("VmHWM:") - before_kb) / 1024;
    }();
    return peak;
}

void BM_LoadGamePackage(benchmark::State& state) {
    static GamePackageFile file;
    LinkGame(file.link);
    std::string output;
    DebugOutput().CaptureTo(&output);
    ErrorOutput().CaptureTo(&output);
    const double peak_mib = FirstLoadPeakMiB(file);
    for (auto _ : state) {
        output.clear();
        if (!LoadOnce(file)) state.SkipWithError("the package did not load");
    }
    DebugOutput().Reset();
    ErrorOutput().Reset();
    ClearBuiltins();
    state.counters["package_MiB"] = double(file.bytes) / (1 << 20);
    state.counters["load_peak_MiB"] = peak_mib;
}
BENCHMARK(BM_LoadGamePackage)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
