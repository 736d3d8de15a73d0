// Tile map cells to quads, only those within a cell of the view.
#include "Run/TileMapDrawing.h"

#include <algorithm>
#include <cmath>

#include "Base/RunnerState.h"
#include "Graphics/GraphicsContext.h"
#include "Package/PackageRoom.h"
#include "Room/TileSetTable.h"

namespace {

// The part of the tile set's picture that tile `tile` covers; tile sets are untrimmed, so the
// picture's texture coordinates run evenly over its pixels.
FrameImage TileImage(const FrameImage& set, const PackageBackground& source, uint32_t tile) {
    const uint32_t columns = source.columns > 0 ? source.columns : 1;
    const float du = (set.u1 - set.u0) / float(set.target_width);
    const float dv = (set.v1 - set.v0) / float(set.target_height);
    const float left =
        float((tile % columns) * (source.tile_width + 2 * source.border_x) + source.border_x);
    const float top =
        float((tile / columns) * (source.tile_height + 2 * source.border_y) + source.border_y);
    FrameImage image = set;
    image.u0 = set.u0 + left * du;
    image.v0 = set.v0 + top * dv;
    image.u1 = image.u0 + float(source.tile_width) * du;
    image.v1 = image.v0 + float(source.tile_height) * dv;
    image.target_x = image.target_y = 0;
    image.target_width = int32_t(source.tile_width);
    image.target_height = int32_t(source.tile_height);
    return image;
}

struct CellRange {
    uint32_t first, end;
};

// The cells of a map `count` cells long that lie within near..far (relative to the map's
// start), widened by one cell on each side.
CellRange CellsInView(float near, float far, uint32_t cell_size, uint32_t count) {
    const double first = std::floor(double(near) / cell_size) - 1;
    const double last = std::floor(double(far) / cell_size) + 1;
    const auto clamp = [count](double cell) {
        return uint32_t(std::clamp(cell, 0.0, double(count)));
    };
    return {clamp(first), clamp(last + 1)};
}

// The animation frame every tile of the set shows in this frame: the frames follow one another
// every frame_time_us of the runner's clock, so all maps on a set animate in step.
uint32_t AnimationFrame(const PackageBackground& source, uint32_t frames_per_tile) {
    if (frames_per_tile <= 1 || source.frame_time_us == 0) return 0;
    const int64_t now = std::max<int64_t>(Runner().frame_start_us, 0);
    return uint32_t(now / source.frame_time_us % frames_per_tile);
}

} // namespace

void DrawTileMap(GraphicsContext& graphics, const TileMap& map, float left, float top) {
    const TileSet* tile_set = GetTileSet(map.tile_set);
    if (!tile_set) return;
    const PackageBackground& source = *tile_set->source;
    const FrameImage* picture = graphics.Pages().Entry(source.texture_page);
    if (!picture || source.tile_width == 0 || source.tile_height == 0) return;
    const uint32_t frames_per_tile = source.frames_per_tile > 0 ? source.frames_per_tile : 1;
    const uint32_t frame = AnimationFrame(source, frames_per_tile);
    // Flags turn the tile about its centre.
    const int32_t half_width = int32_t(source.tile_width / 2),
                  half_height = int32_t(source.tile_height / 2);
    const uint32_t colour = VertexColour(kWhiteColour, 1);
    const CellRange columns = CellsInView(graphics.Cull().left - left, graphics.Cull().right - left,
                                          source.tile_width, map.width);
    const CellRange rows = CellsInView(graphics.Cull().top - top, graphics.Cull().bottom - top,
                                       source.tile_height, map.height);
    for (uint32_t row = rows.first; row < rows.end; ++row)
        for (uint32_t column = columns.first; column < columns.end; ++column) {
            const uint32_t cell = map.cells[size_t(row) * map.width + column];
            const uint32_t index = cell & package::kTileIndexMask;
            const size_t frame_at = size_t(index) * frames_per_tile + frame;
            if (index == 0 || frame_at >= source.frames.size()) continue;
            const Placement placement{left + float(column * source.tile_width) + float(half_width),
                                      top + float(row * source.tile_height) + float(half_height),
                                      (cell & package::kTileMirror) ? -1.0f : 1.0f,
                                      (cell & package::kTileFlip) ? -1.0f : 1.0f,
                                      (cell & package::kTileRotate) ? -90.0f : 0.0f};
            graphics.DrawImage(TileImage(*picture, source, source.frames[frame_at]), half_width,
                               half_height, placement, colour);
        }
}
