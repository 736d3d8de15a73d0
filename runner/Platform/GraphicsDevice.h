// The drawing device. Only the OpenGL backend calls gl*; the null backend keeps what it was
// asked to do, so that tests see the frames without a GPU.
#pragma once

#include <cstdint>
#include <vector>

class GraphicsDevice {
public:
    virtual ~GraphicsDevice() = default;

    virtual void BeginFrame() = 0;
    // Colour as 0xAARRGGBB.
    virtual void Clear(uint32_t argb) = 0;
    virtual void Present() = 0;

    // Asks for a swap interval; false when the platform refused it.
    virtual bool SetSwapInterval(int interval) = 0;
    // True only when an accepted swap interval was measured to hold frames back: then the
    // display may pace the game. Never for the null device.
    virtual bool SwapIntervalThrottles() const = 0;
    virtual double RefreshRate() const = 0;

    // The back buffer's pixels, RGBA rows from the top; empty when there are none to read.
    virtual std::vector<uint8_t> ReadPixels(int x, int y, int width, int height) = 0;
};
