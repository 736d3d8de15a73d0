// The sprite's derived figures.
#include "Package/PackageSprite.h"

#include <algorithm>
#include <cmath>
#include <limits>

int32_t PackageSprite::Reach() const {
    double reach = 0;
    const double xs[] = {-double(origin_x), double(width) - origin_x};
    const double ys[] = {-double(origin_y), double(height) - origin_y};
    for (double x : xs)
        for (double y : ys)
            reach = std::max(reach, std::ceil(std::hypot(x, y)));
    // Sizes come from the file; an absurd one must not overflow.
    return static_cast<int32_t>(std::min(reach, double(std::numeric_limits<int32_t>::max())));
}
