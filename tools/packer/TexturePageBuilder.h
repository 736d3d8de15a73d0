// Lays sprite frames out on texture pages. Each frame is trimmed to its opaque pixels (the
// texture page entry keeps where the trimmed part sits in the frame), identical frames share
// one entry, and the trimmed parts are packed, a clear pixel apart, onto as few pages as hold
// them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "Package/GamePackage.h"
#include "PixelImage.h"

class TexturePageBuilder {
public:
    explicit TexturePageBuilder(int page_side = 1024) : page_side_(page_side) {}

    // Queues a frame; returns the texture page entry index it will have in the package. Tile
    // sheets, whose tiles are found by their place, are kept whole with `trim` false.
    int32_t AddFrame(const PixelImage& frame, bool trim = true);

    // Packs every queued frame into the package's pages and entries, which must be empty
    // before (the PNG encoding is the writer's). Throws std::runtime_error for a frame larger
    // than a page.
    void Write(GamePackage& package);

    // After Write: the share of the pages' area the frames cover, 0 to 1.
    double Occupancy() const { return occupancy_; }

private:
    struct Part {
        PixelImage pixels; // trimmed
        PixelRect in_frame;
        int frame_width, frame_height;
    };

    int page_side_;
    std::vector<Part> parts_;
    std::map<std::string, int32_t> index_by_content_;
    double occupancy_ = 0;
};
