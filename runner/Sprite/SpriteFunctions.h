// The sprite built-ins: sprite_get_number, sprite_get_width, sprite_get_height,
// sprite_get_xoffset, sprite_get_yoffset, sprite_get_speed, sprite_get_name and
// sprite_set_offset (the origin, in whole pixels).
//
// An index that names no sprite is not an error: the getters give 0 (the name "<undefined>"),
// sprite_set_offset does nothing, and nothing is written to the output, so a game that probes
// indices each frame does not flood it.
#pragma once

void RegisterSpriteFunctions();
