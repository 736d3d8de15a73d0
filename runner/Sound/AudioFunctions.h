// The audio built-ins.
#pragma once

void RegisterAudioFunctions();
