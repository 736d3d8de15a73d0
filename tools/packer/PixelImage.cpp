#include "PixelImage.h"

#include <algorithm>

PixelRect PixelImage::OpaqueBounds() const {
    int left = width, top = height, right = -1, bottom = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (At(x, y).a != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0) return {};
    return {left, top, right - left + 1, bottom - top + 1};
}

PixelImage PixelImage::Crop(const PixelRect& rect) const {
    PixelImage part{rect.width, rect.height, {}};
    part.pixels.reserve(size_t(rect.width) * size_t(rect.height));
    for (int y = 0; y < rect.height; ++y)
        for (int x = 0; x < rect.width; ++x)
            part.pixels.push_back(At(rect.x + x, rect.y + y));
    return part;
}

PixelImage ImageFromRows(const std::vector<AssetLine>& rows, const Palette& palette) {
    PixelImage image;
    image.height = int(rows.size());
    for (const AssetLine& row : rows) {
        if (row.spot.line != rows.front().spot.line && int(row.text.size()) != image.width)
            throw AssetError(row.spot, "row of " + std::to_string(row.text.size()) +
                                           " pixels where the first has " + std::to_string(image.width));
        image.width = int(row.text.size());
        for (size_t i = 0; i < row.text.size(); ++i) {
            const std::optional<Texel> colour = palette.Find(row.text[i]);
            if (!colour) {
                SourceSpot spot = row.spot;
                spot.column += int(i);
                throw AssetError(spot, std::string("'") + row.text[i] + "' is not in the palette");
            }
            image.pixels.push_back(*colour);
        }
    }
    return image;
}
