// The letterbox arithmetic of the copy of the application surface to the window.
#include "Run/Letterbox.h"

#include <algorithm>
#include <cmath>

WindowRect FitSurfaceToWindow(int surface_width, int surface_height, int window_width,
                              int window_height) {
    if (surface_width <= 0 || surface_height <= 0 || window_width <= 0 || window_height <= 0)
        return {};
    const int whole = std::min(window_width / surface_width, window_height / surface_height);
    int width, height;
    if (whole >= 1) {
        width = surface_width * whole;
        height = surface_height * whole;
    } else {
        const double scale =
            std::min(double(window_width) / surface_width, double(window_height) / surface_height);
        width = std::min(window_width, int(std::lround(surface_width * scale)));
        height = std::min(window_height, int(std::lround(surface_height * scale)));
    }
    return {(window_width - width) / 2, (window_height - height) / 2, width, height};
}
