// The per-instance built-in variables (x, alarm, sprite_index, ...), wired to the instance
// record. Registered before the global ones.
#pragma once

void RegisterInstanceVariables();
