// The splash shown at start-up: "splash.png" from the game's folder, for five frames, each
// cleared to opaque black, drawn and presented with vertical sync. Where the display does not
// hold frames back, the runner's clock gives each frame one refresh period. Without the file,
// or with one that is not a PNG image, nothing is shown and start-up goes straight on.
#pragma once

#include <functional>
#include <string>

class Clock;
class GraphicsContext;

// True when the splash was shown; `pump` runs after each frame.
bool ShowSplash(GraphicsContext& graphics, const std::string& game_folder, Clock& clock,
                const std::function<void()>& pump);
