// F12's screenshots: what the window showed, as PNG files in the save folder's "screenshots"
// folder, handed to the save writer so that the frame does not wait for the disk.
#pragma once

#include <ctime>
#include <string>

#include "Graphics/PngImage.h"

// A path in `folder` for a screenshot taken at `when` that no file on disk and no queued save
// has: "2025-01-31_18-04-59.png", then "2025-01-31_18-04-59_2.png" and on.
std::string ScreenshotPath(const std::string& folder, std::time_t when);
// Queues the picture; nothing without one (null graphics show none).
void SaveScreenshot(const RgbaImage& picture, std::time_t when);
