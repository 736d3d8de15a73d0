// Upper-casing of single Unicode code points, the same on every host whatever its locale.
#pragma once

// The upper-case form of a lower-case letter; every other code point comes back unchanged.
char32_t UpperCaseOf(char32_t c);
