#include "SpriteSource.h"

SpriteSource ReadSprite(const AssetDocument& document, const std::string& name,
                        const Palette& shared) {
    document.ExpectKeys({"origin", "speed", "mask", "palette", "frame"}, {"frame"});
    SpriteSource sprite;
    sprite.name = name;

    Palette palette = shared;
    if (const AssetEntry* own = document.Find("palette")) {
        own->ExpectArgs(0, 0);
        own->ExpectBody();
        palette.AddLines(own->body);
    }
    for (const AssetEntry* frame : document.All("frame")) {
        frame->ExpectArgs(0, 0);
        frame->ExpectBody();
        PixelImage image = ImageFromRows(frame->body, palette);
        if (!sprite.frames.empty() &&
            (image.width != sprite.width || image.height != sprite.height))
            frame->Fail("frame of " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                        " where the first is " + std::to_string(sprite.width) + "x" +
                        std::to_string(sprite.height));
        sprite.width = image.width;
        sprite.height = image.height;
        sprite.frames.push_back(std::move(image));
    }
    if (sprite.frames.empty()) throw AssetError({document.File(), 1, 1}, "a sprite needs a \"frame\"");

    if (const AssetEntry* origin = document.Find("origin")) {
        origin->ExpectNoBody();
        if (origin->args.size() == 1 && origin->Choice(0, {"center"}) == 0) {
            sprite.origin_x = sprite.width / 2;
            sprite.origin_y = sprite.height / 2;
        } else {
            origin->ExpectArgs(2, 2);
            sprite.origin_x = origin->Int(0);
            sprite.origin_y = origin->Int(1);
        }
    }
    if (const AssetEntry* speed = document.Find("speed")) {
        speed->ExpectArgs(2, 2);
        speed->ExpectNoBody();
        sprite.speed = float(speed->Number(0));
        sprite.speed_type = speed->Choice(1, {"per-second", "per-frame"}) == 0 ? 0 : 1;
    }
    if (const AssetEntry* mask = document.Find("mask")) {
        mask->ExpectArgs(1, 1);
        mask->ExpectNoBody();
        sprite.mask = SpriteMask(mask->Choice(0, {"box", "full", "precise"}));
    }
    return sprite;
}
