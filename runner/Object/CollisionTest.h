// Whether instances meet a rectangle or each other: bounding boxes first, then, where a sprite
// has precise masks, its pixels, each taken at its centre through the instance's scale and
// angle.
#pragma once

class CInstance;

// The rectangle's corners may come in any order. With `precise`, an instance with precise
// masks needs a solid pixel inside the rectangle.
bool InstanceMeetsRectangle(CInstance& instance, double x1, double y1, double x2, double y2, bool precise);
// Boxes overlap and, where either instance has precise masks, a pixel is solid in both.
bool InstancesCollide(CInstance& a, CInstance& b);
