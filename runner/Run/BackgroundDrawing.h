// Drawing a background layer element: its sprite frame placed at the layer's offset,
// stretched over the room, or repeated across the view in either direction.
#pragma once

class CRoom;
class GraphicsContext;
struct BackgroundElement;
struct CLayer;

// An invisible background or one without a sprite draws nothing.
void DrawBackground(GraphicsContext& graphics, const CRoom& room, const CLayer& layer,
                    const BackgroundElement& background);
