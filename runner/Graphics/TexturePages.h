// The package's texture pages as device textures, made once when the game is loaded and
// released with the context, and each texture page entry turned into the FrameImage it draws.
//
// Each page is uploaded with one extra row of white texels below its pixels, so untextured
// shapes can sample white from whatever page the current batch uses and need no draw call of
// their own. A 1x1 white texture serves when the batch samples something else (a surface).
#pragma once

#include <cstdint>
#include <deque>
#include <utility>
#include <vector>

#include "Graphics/FrameQuad.h"
#include "Package/GamePackage.h"

// A picture the runner carries itself (the default font's glyphs): RGBA rows from the top,
// living as long as the program.
struct BuiltinPicture {
    int width, height;
    const uint8_t* rgba;
};

// A texture and the coordinates of a white texel in it.
struct WhiteTexel {
    TextureId texture;
    float u, v;
};

class TexturePages {
public:
    explicit TexturePages(GraphicsDevice& device);
    ~TexturePages();
    TexturePages(const TexturePages&) = delete;
    TexturePages& operator=(const TexturePages&) = delete;

    // Replaces the pages and entries with the package's. A page that makes no texture (no
    // pixels, or the device refuses it) leaves its entries drawing nothing.
    void Load(const ResourceList<PackageTexture>& textures,
              const std::vector<package::TexturePageEntry>& entries);

    // The picture of texture page entry `index`; null when there is none.
    const FrameImage* Entry(int32_t index) const;
    // `picture` as a texture, made on first use and kept, whatever package is loaded, until
    // the pages go; null when the device cannot make it.
    const FrameImage* Builtin(const BuiltinPicture& picture);
    // A white texel in `texture` when it is a page, else in the white texture.
    WhiteTexel WhiteFor(TextureId texture) const;

private:
    void Release();

    GraphicsDevice& device_;
    TextureId white_texture_;
    std::vector<WhiteTexel> pages_; // by package texture index; texture 0 for none
    std::vector<FrameImage> entries_;
    std::deque<std::pair<const BuiltinPicture*, FrameImage>> builtins_; // stable addresses
};
