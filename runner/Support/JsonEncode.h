// `json_encode`: a map, with the maps and lists it owns through marks, as JSON text.
#pragma once

#include <string>

class CDS_Map;

// Members follow the map's iteration order. A structure met again inside itself (a cycle of
// marks) and anything nested deeper than kJsonMaxNesting become null, so the text stays
// finite.
std::string JsonEncode(const CDS_Map& map);

constexpr int kJsonMaxNesting = 256;
