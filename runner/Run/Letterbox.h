// Where the application surface lands in the window: its aspect ratio kept, scaled by the
// largest whole number that fits so pixel art stays sharp, centred with bars of the window
// colour around it.
#pragma once

struct PointF {
    float x = 0, y = 0;
    bool operator==(const PointF&) const = default;
};

struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowRect&) const = default;
};

// A window smaller than the surface gets the largest aspect-preserving fractional scale.
// Empty sizes give an empty rectangle.
WindowRect FitSurfaceToWindow(int surface_width, int surface_height, int window_width,
                              int window_height);
