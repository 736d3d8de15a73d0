// Drawing a tile map (of a layer, or for draw_tilemap): each cell's tile cut from its tile set's
// image, mirrored, flipped or turned by the cell's flag bits; animated tiles show the frame
// that the runner's clock has reached.
#pragma once

class GraphicsContext;
struct TileMap;

// Draws `map` with its top-left corner at (left, top). Cells whose tile index is 0 are left
// empty, and cells more than one cell outside the view are skipped; a missing tile set draws
// nothing.
void DrawTileMap(GraphicsContext& graphics, const TileMap& map, float left, float top);
