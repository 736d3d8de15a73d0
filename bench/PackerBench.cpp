// What packing costs: a made-up asset folder about the size of the game's (sprites of several
// frames, tile sets, sound effects, a few minutes of music, rooms) packed cold, with an empty
// sound cache, then warm, with every encoding cached; the package's size and how much of the
// texture pages the frames cover.
//
//     build/bin/bench_packer [folder]      (default: a folder under /tmp)
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "AssetFolder.h"
#include "PackageWriter.h"

namespace fs = std::filesystem;

namespace {

void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Rows of pixel art that differ from sprite to sprite and frame to frame.
std::string Frame(int width, int height, int seed) {
    std::string rows;
    for (int y = 0; y < height; ++y) {
        rows += "  ";
        for (int x = 0; x < width; ++x) {
            const int v = (x * 7 + y * 13 + seed * 31 + (x * y) % (seed % 5 + 2)) % 9;
            rows += v < 3 ? '.' : "kwrby"[v % 5];
        }
        rows += '\n';
    }
    return rows;
}

void WriteGame(const fs::path& folder) {
    fs::remove_all(folder);
    WriteText(folder / "game.txt", "name Bench\nwindow 320 180\nspeed 60\n");
    WriteText(folder / "palette.txt", ". transparent\nk #101820\nw #f0f0f0\nr #c02020\nb #2040c0\ny #f0d040\n");
    for (int s = 0; s < 120; ++s) {
        const int size = s % 10 == 0 ? 32 : 16;
        std::string sprite = "origin center\n";
        for (int f = 0; f < 4; ++f)
            sprite += "frame\n" + Frame(size, size + 8 * (s % 2), s * 4 + f);
        WriteText(folder / "sprites" / ("s" + std::to_string(s) + ".sprite"), sprite);
    }
    for (int t = 0; t < 5; ++t)
        WriteText(folder / "tilesets" / ("ts" + std::to_string(t) + ".tileset"), "sheet\n" + Frame(128, 80, 1000 + t));
    for (int e = 0; e < 20; ++e)
        WriteText(folder / "sounds" / ("sfx" + std::to_string(e) + ".sound"),
                  "tone\n  wave square\n  length 0.2\n  pitch " + std::to_string(200 + e * 40) + " 900\n");
    for (int m = 0; m < 3; ++m) {
        // A little over a minute a tune at 150 beats a minute: 40 bars of four beats, two voices.
        std::string lead = "voice square 0.2\n", bass = "voice triangle 0.3\n";
        for (int bar = 0; bar < 40; ++bar) {
            lead += "  | C5:1 E5:1 G5:0.5 A5:0.5 G5:1 |\n";
            bass += "  | C3:2 G2:2 |\n";
        }
        WriteText(folder / "music" / ("bgm" + std::to_string(m) + ".music"),
                  "tempo 150\n" + std::string(m == 0 ? "" : "stream\n") + lead + bass);
    }
    WriteText(folder / "objects" / "oBlock.object", "solid\n");
    for (int r = 0; r < 8; ++r) {
        std::string map;
        for (int y = 0; y < 23; ++y)
            map += "  " + std::string(120, y > 18 || (y + r) % 7 == 0 ? 'X' : '.') + "\n";
        WriteText(folder / "rooms" / ("rm" + std::to_string(r) + ".room"),
                  "screens 6 2\nlegend\n  X oBlock stretch\nmap\n" + map);
    }
}

double SecondsToPack(const fs::path& assets, const fs::path& cache, const fs::path& package, double& occupancy) {
    const auto start = std::chrono::steady_clock::now();
    AssetFolder folder(assets, {}, cache);
    folder.Stamp();
    WritePackageFile(folder.Package(), package.string());
    occupancy = folder.PageOccupancy();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    const fs::path root = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "bench_packer";
    WriteGame(root / "assets");
    fs::remove_all(root / "cache");
    double occupancy = 0;
    try {
        const double cold = SecondsToPack(root / "assets", root / "cache", root / "data.win", occupancy);
        const double warm = SecondsToPack(root / "assets", root / "cache", root / "data.win", occupancy);
        std::printf("packer assets=120 sprites x 4 frames, 5 tile sets, 20 effects, 3 tunes of 64 s, 8 rooms\n");
        std::printf("packer cold_s=%.2f warm_s=%.2f package_bytes=%ju page_occupancy=%.0f%%\n", cold, warm,
                    std::uintmax_t(fs::file_size(root / "data.win")), 100 * occupancy);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_packer: %s\n", error.what());
        return 1;
    }
    return 0;
}
