// The readers of the chunks the runner knows, one per tag: each turns its chunk's records into
// the package's tables and fails on anything it cannot trust (PackageError).
#pragma once

#include "Package/PackageReadState.h"

using ChunkReader = void (*)(PackageReadState& state, const PackageChunk& chunk);

void ReadHeaderChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadOptionsChunk(PackageReadState& state, const PackageChunk& chunk);

void ReadStringChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadCodeChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadVariableChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadFunctionChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadScriptChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadGlobalInitChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadGameEndChunk(PackageReadState& state, const PackageChunk& chunk);

void ReadTexturePageChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadTextureChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadBackgroundChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadSpriteChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadFontChunk(PackageReadState& state, const PackageChunk& chunk);

void ReadAudioChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadAudioGroupChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadSoundChunk(PackageReadState& state, const PackageChunk& chunk);

void ReadObjectChunk(PackageReadState& state, const PackageChunk& chunk);
void ReadRoomChunk(PackageReadState& state, const PackageChunk& chunk);
