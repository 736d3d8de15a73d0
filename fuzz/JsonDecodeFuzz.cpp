// json_decode on any text: the map it makes (if any) is encoded again and destroyed, so the
// fuzzer sees the decoder, the encoder and the destruction of owned structures together, and
// the leak checker sees anything they forget.
#include <cstddef>
#include <cstdint>
#include <string>

#include "Support/CDS_Map.h"
#include "Support/DsOwnership.h"
#include "Support/DsState.h"
#include "Support/JsonDecode.h"
#include "Support/JsonEncode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    int32_t map = JsonDecode(text.c_str());
    if (map < 0) return 0;
    if (const CDS_Map* decoded = DsMaps().Find(map)) JsonEncode(*decoded);
    DestroyOwned({{DsKind::Map, map}});
    return 0;
}
