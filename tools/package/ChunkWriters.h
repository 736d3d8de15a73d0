// The writers of the package's chunks, one per tag, each the mirror of the runner's reader for
// that tag and built on the same format declaration.
#pragma once

#include "Package/GamePackage.h"
#include "PackageBuffer.h"

#include <cstdint>
#include <vector>

struct PackageWriteState {
    PackageBuffer& out;
    const GamePackage& package;
    std::vector<uint32_t> code_bytes; // file offset of each code entry's bytes
};

// A resource list: the head, then each present record written by `write` (item -> offset).
template <class T, class WriteRecord>
void WriteResources(PackageWriteState& state, const ResourceList<T>& list, WriteRecord write) {
    const uint32_t references = state.out.AppendList(list.size());
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i]) state.out.Patch(references + 4 * i, write(*list[i]));
}

void WriteHeaderChunk(PackageWriteState& state);
void WriteOptionsChunk(PackageWriteState& state);

void WriteCodeChunk(PackageWriteState& state);
void WriteVariableChunk(PackageWriteState& state);
void WriteFunctionChunk(PackageWriteState& state);
void WriteScriptChunk(PackageWriteState& state);
void WriteGlobalInitChunk(PackageWriteState& state);
void WriteGameEndChunk(PackageWriteState& state);

void WriteTexturePageChunk(PackageWriteState& state);
void WriteTextureChunk(PackageWriteState& state);
void WriteBackgroundChunk(PackageWriteState& state);
void WriteSpriteChunk(PackageWriteState& state);
void WriteFontChunk(PackageWriteState& state);

void WriteAudioChunk(PackageWriteState& state);
void WriteAudioGroupChunk(PackageWriteState& state);
void WriteSoundChunk(PackageWriteState& state);

void WriteObjectChunk(PackageWriteState& state);
void WriteRoomChunk(PackageWriteState& state);
