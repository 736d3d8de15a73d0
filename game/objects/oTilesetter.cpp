// oTilesetter: the look of one block object. It reads the tile grid and lays its tile set on ten
// tile maps: the blocks' interiors, edges that overhang the blocks by a cell, outer and inner
// corners, and now and then a decoration beside an edge. Every choice is seeded by its cell, so
// a level looks the same every time it is tiled.
#include <array>
#include <optional>
#include <vector>

#include "CodeTable.h"
#include "GameNames.h"
#include "scripts/LevelCells.h"

namespace {

// The layers, in the order they are drawn and listed in `tls`.
enum Layer {
    kBase,
    kScenery,
    kUp,
    kDown,
    kLeft,
    kRight,
    kUpLeft,
    kUpRight,
    kDownLeft,
    kDownRight,
    kLayerCount
};
constexpr int32_t kLayerSlots[kLayerCount] = {
    SLOT_tl_base,  SLOT_tl_scenery, SLOT_tl_up, SLOT_tl_down, SLOT_tl_left,
    SLOT_tl_right, SLOT_tl_ul,      SLOT_tl_ur, SLOT_tl_dl,   SLOT_tl_dr};
// Depth beside `tl_depth`: interiors at the back, then decorations, edges, and corners in front.
constexpr int kLayerDepth[kLayerCount] = {2, 1, 0, 0, 0, 0, -1, -1, -1, -1};

// A side of a cell: where its neighbour is, the layer of its edge, how the edge tile (drawn as
// a right-hand edge) turns to face it, and its decorations.
struct Side {
    int dx, dy;
    Layer layer;
    bool mirror, rotate, decoration_mirror;
    std::array<double, 4> decorations;
};
constexpr Side kSides[] = {
    {-1, 0, kLeft, true, false, true, {0, 4, 8, 12}},
    {1, 0, kRight, false, false, false, {0, 4, 8, 12}},
    {0, -1, kUp, true, true, false, {0, 1, 2, 3}},
    {0, 1, kDown, false, true, false, {0, 13, 14, 15}},
};

// A corner of a cell, with its outer corner tile (drawn as the up-right one) and how both
// corner tiles turn to face it.
struct Corner {
    int dx, dy;
    Layer layer;
    double outer_tile;
    bool mirror, flip;
};
constexpr Corner kCorners[] = {
    {1, -1, kUpRight, 16, false, false},
    {-1, -1, kUpLeft, 16, true, false},
    {1, 1, kDownRight, 18, false, true},
    {-1, 1, kDownLeft, 18, true, true},
};

constexpr std::array<double, 4> kInteriors = {5, 6, 9, 10};
constexpr std::array<double, 2> kEdges = {7, 11};
constexpr double kInnerCorner = 17;
// A decoration shows only where this gives 0: at one edge in four at most.
constexpr std::array<double, 16> kDecorationGate = {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};

struct CellRect {
    double left, top, right, bottom; // inclusive

    bool Holds(double cx, double cy) const {
        return cx >= left && cx <= right && cy >= top && cy <= bottom;
    }
};

// One run of the tiling: the cells of `block` inside `cells` are tiled, and only tiles that
// land inside `writable` are written.
class Tiling {
public:
    Tiling(CInstance* self, CInstance* other, const CellRect& writable)
        : self_(self), other_(other), grid_(Global(SLOT_tile_grid)), block_(Var(self, SLOT_block)),
          writable_(writable),
          grid_columns_(Real(Call(self, other, FN_ds_grid_width, grid_))),
          grid_rows_(Real(Call(self, other, FN_ds_grid_height, grid_))) {
        for (int layer = 0; layer < kLayerCount; ++layer)
            maps_[layer] = Call(self, other, FN_ds_map_find_value, Var(self, SLOT_tl_map),
                                Var(self, kLayerSlots[layer]));
    }

    void Run(const CellRect& cells) {
        // Every cell read below lies within a cell of these: each is read from the grid once.
        seen_ = {cells.left - 1, cells.top - 1, cells.right + 1, cells.bottom + 1};
        seen_columns_ = size_t(seen_.right - seen_.left + 1);
        seen_cells_.assign(seen_columns_ * size_t(seen_.bottom - seen_.top + 1), std::nullopt);
        for (double cy = cells.top; cy <= cells.bottom; ++cy) {
            if (!Call(self_, other_, FN_ds_grid_value_exists, grid_, Value(cells.left), Value(cy),
                      Value(cells.right), Value(cy), block_))
                continue;
            for (double cx = cells.left; cx <= cells.right; ++cx)
                if (At(cx, cy) == block_) TileCell(cx, cy);
        }
    }

    void Clear(Layer layer, double cx, double cy) { Put(layer, cx, cy, Value(0)); }

private:
    void TileCell(double cx, double cy) {
        Put(kBase, cx, cy, Choose(cx, cy, kInteriors));
        // The eight neighbours, read once: open[dy + 1][dx + 1].
        bool open[3][3] = {};
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (dx != 0 || dy != 0) open[dy + 1][dx + 1] = Open(cx + dx, cy + dy);
        for (const Side& side : kSides) {
            if (!open[side.dy + 1][side.dx + 1]) continue;
            TileSide(side, cx + side.dx, cy + side.dy);
        }
        for (const Corner& corner : kCorners) {
            const bool across = open[1][corner.dx + 1], along = open[corner.dy + 1][1];
            if (!open[corner.dy + 1][corner.dx + 1] || across != along) continue;
            // Both sides open make an outer corner, both closed an inner one.
            Value tile(across ? corner.outer_tile : kInnerCorner);
            if (corner.mirror) tile = Call(self_, other_, FN_tile_set_mirror, tile, Value(1));
            if (corner.flip) tile = Call(self_, other_, FN_tile_set_flip, tile, Value(1));
            Put(corner.layer, cx + corner.dx, cy + corner.dy, tile);
        }
    }

    // The edge and perhaps a decoration in the open neighbour (nx, ny); both are seeded there.
    void TileSide(const Side& side, double nx, double ny) {
        Value edge = Choose(nx, ny, kEdges);
        if (side.rotate) edge = Call(self_, other_, FN_tile_set_rotate, edge, Value(1));
        if (side.mirror) edge = Call(self_, other_, FN_tile_set_mirror, edge, Value(1));
        Put(side.layer, nx, ny, edge);

        Value decoration = Choose(nx, ny, side.decorations);
        const Value gate = Choose(nx, ny, kDecorationGate);
        if (Real(decoration) == 0 || Real(gate) != 0 || HoldsHazard(nx, ny)) return;
        if (side.decoration_mirror)
            decoration = Call(self_, other_, FN_tile_set_mirror, decoration, Value(1));
        Put(kScenery, nx, ny, decoration);
    }

    // The grid's cell, or `outside` for a cell beyond the grid, as `grid_get` reads it; the
    // cells around the tiled ones are read once.
    Value At(double cx, double cy, const Value& outside = Value(-1)) {
        if (cx < 0 || cy < 0 || cx >= grid_columns_ || cy >= grid_rows_) return outside;
        std::optional<Value>& cell =
            seen_cells_[size_t(cy - seen_.top) * seen_columns_ + size_t(cx - seen_.left)];
        if (!cell) cell = Call(self_, other_, FN_ds_grid_get, grid_, Value(cx), Value(cy));
        return *cell;
    }

    // A neighbour is open when it is in the grid and not of this block: the grid's border is
    // never open.
    bool Open(double cx, double cy) { return At(cx, cy, block_) != block_; }

    // Hazards keep their cell clear of decorations.
    bool HoldsHazard(double cx, double cy) {
        const Value object = At(cx, cy);
        return Real(object) == oHazard ||
               bool(Call(self_, other_, FN_object_is_ancestor, object, Value(oHazard)));
    }

    // pos_choose(cx, cy, options...), which reseeds the generator as every other call does.
    template <size_t N>
    Value Choose(double cx, double cy, const std::array<double, N>& options) {
        std::array<Value, 2 + N> args{Value(cx), Value(cy)};
        std::array<RValue*, 3 + N> argv{};
        for (size_t i = 0; i < 2 + N; ++i) {
            if (i >= 2) args[i] = Value(options[i - 2]);
            argv[i] = &args[i];
        }
        Value result;
        psl_Script_pos_choose(self_, other_, &result, int(2 + N), argv.data());
        return result;
    }

    void Put(Layer layer, double cx, double cy, const Value& tile) {
        if (writable_.Holds(cx, cy))
            Call(self_, other_, FN_tilemap_set, maps_[layer], tile, Value(cx), Value(cy));
    }

    CInstance* self_;
    CInstance* other_;
    Value grid_;
    Value block_;
    CellRect writable_;
    double grid_columns_, grid_rows_;
    Value maps_[kLayerCount];
    CellRect seen_{};
    size_t seen_columns_ = 0;
    std::vector<std::optional<Value>> seen_cells_;
};

// [base, scenery, up, down, left, right, ul, ur, dl, dr]
Value LayerList(CInstance* self) {
    Value list;
    for (int layer = kLayerCount - 1; layer >= 0; --layer)
        AssignElement(list, layer, Var(self, kLayerSlots[layer]));
    return list;
}

// The ten layers, each with a tile map of the level's size.
void MakeLayers(CInstance* self, CInstance* other) {
    Assign(Var(self, SLOT_tl_map), Call(self, other, FN_ds_map_create));
    const Value columns(LevelColumns(self)), rows(LevelRows(self));
    for (int layer = 0; layer < kLayerCount; ++layer) {
        const Value id =
            Call(self, other, FN_layer_create, Var(self, SLOT_tl_depth) + kLayerDepth[layer]);
        Assign(Var(self, kLayerSlots[layer]), id);
        Call(self, other, FN_ds_map_set, Var(self, SLOT_tl_map), id,
             Call(self, other, FN_layer_tilemap_create, id, Value(0), Value(0), Var(self, SLOT_ts),
                  columns, rows));
    }
    Assign(Var(self, SLOT_tls), LayerList(self));
}

} // namespace

void psl_Object_oTilesetter_Create_0(CInstance* self, CInstance*) {
    FrameScope frame("psl_Object_oTilesetter_Create_0");
    Assign(Var(self, SLOT_ts), Value(-1));
    Assign(Var(self, SLOT_block), Value(-1));
    Assign(Var(self, SLOT_tl_depth), BuiltinVar(self, VAR_depth));
    // The tiling variant: every tile set is tiled the one way so far.
    Assign(Var(self, SLOT_ts_type), Value(0));
    Assign(Var(self, SLOT_destroyed_tile_x), Value(-1));
    Assign(Var(self, SLOT_destroyed_tile_y), Value(-1));
    Assign(Var(self, SLOT_init), Value(1));
    Assign(Var(self, SLOT_tiled), Value(0));
}

// Tiles the level, or only the cells around `destroyed_tile_x`, `destroyed_tile_y` when a block
// went there. A tile lands at most one cell from the block that lays it, so the cells around a
// changed cell are re-laid from the blocks up to two cells away.
void psl_Object_oTilesetter_Other_10(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTilesetter_Other_10");
    if (Value(Var(self, SLOT_init))) {
        MakeLayers(self, other);
        Assign(Var(self, SLOT_init), Value(0));
    }

    frame.Line(2);
    // Blocks lie in the room, so the level's cells (those of the tile maps) are all there is to
    // tile: the grid beyond them, sixteen times larger, stays empty.
    const CellRect whole{0, 0, LevelColumns(self) - 1, LevelRows(self) - 1};
    const double dx = Real(Var(self, SLOT_destroyed_tile_x)),
                 dy = Real(Var(self, SLOT_destroyed_tile_y));
    if (dx != -1 && dy != -1) {
        const CellRect around{dx - 1, dy - 1, dx + 1, dy + 1};
        Tiling tiling(self, other, around);
        for (int layer = 0; layer < kLayerCount; ++layer)
            for (double cy = around.top; cy <= around.bottom; ++cy)
                for (double cx = around.left; cx <= around.right; ++cx)
                    tiling.Clear(Layer(layer), cx, cy);
        tiling.Run({Max(dx - 2, whole.left), Max(dy - 2, whole.top), Min(dx + 2, whole.right),
                    Min(dy + 2, whole.bottom)});
    } else {
        for (int layer = 0; layer < kLayerCount; ++layer)
            Call(self, other, FN_tilemap_clear,
                 Call(self, other, FN_ds_map_find_value, Var(self, SLOT_tl_map),
                      Var(self, kLayerSlots[layer])),
                 Value(0));
        Tiling(self, other, whole).Run(whole);
    }

    frame.Line(3);
    Assign(Var(self, SLOT_destroyed_tile_x), Value(-1));
    Assign(Var(self, SLOT_destroyed_tile_y), Value(-1));
    Assign(Var(self, SLOT_tiled), Value(1));
}

// Draws the ten tile maps in layer order, for drawing the level somewhere of the game's choosing.
void psl_Object_oTilesetter_Other_11(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTilesetter_Other_11");
    if (Value(Var(self, SLOT_init))) return; // never tiled: no maps yet
    Assign(Var(self, SLOT_tls), LayerList(self));
    for (int layer = 0; layer < kLayerCount; ++layer)
        Call(self, other, FN_draw_tilemap,
             Call(self, other, FN_ds_map_find_value, Var(self, SLOT_tl_map),
                  Element(Var(self, SLOT_tls), layer)),
             Value(0), Value(0));
}

// The tiler lives and dies with its room, which frees it without its Destroy event; its layers
// and tile maps go with the room, its map of them now.
void psl_Object_oTilesetter_Other_5(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oTilesetter_Other_5");
    if (!Value(Var(self, SLOT_init))) Call(self, other, FN_ds_map_destroy, Var(self, SLOT_tl_map));
}
