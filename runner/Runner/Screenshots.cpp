#include "Runner/Screenshots.h"

#include "Base/OutputChannel.h"
#include "Platform/FileSystem.h"
#include "Support/SaveFolder.h"
#include "Support/SaveWriter.h"

std::string ScreenshotPath(const std::string& folder, std::time_t when) {
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H-%M-%S", std::localtime(&when));
    std::string path = folder + stamp + ".png";
    for (int count = 2; IsRegularFile(path) || Saves().Pending(path); ++count)
        path = folder + stamp + "_" + std::to_string(count) + ".png";
    return path;
}

void SaveScreenshot(const RgbaImage& picture, std::time_t when) {
    if (picture.pixels.empty()) return;
    std::string png, error;
    if (!EncodePng(picture, png, error)) {
        DebugOutput().Printf("Screenshot not saved: %s\n", error.c_str());
        return;
    }
    std::string path = ScreenshotPath(TheSaveFolder().Folder() + "screenshots/", when);
    std::string note = "Screenshot saved: " + path;
    Saves().Replace(std::move(path), std::move(png), std::move(note));
}
