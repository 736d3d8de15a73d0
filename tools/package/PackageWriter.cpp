// The chunk order and the container.
#include "PackageWriter.h"

#include "ChunkWriters.h"
#include "Platform/AtomicFile.h"

#include <memory>

using namespace package;

namespace {

void WriteChunk(PackageWriteState& state, uint32_t tag, void (*write)(PackageWriteState&)) {
    const uint32_t header = state.out.BeginChunk(tag);
    write(state);
    state.out.EndChunk(header);
}

void WriteStringChunk(PackageWriteState& state) {
    state.out.WriteStrings(state.package.strings);
}

} // namespace

std::vector<uint8_t> WritePackage(const GamePackage& package) {
    PackageBuffer out;
    PackageWriteState state{out, package, {}};
    const uint32_t form = out.Append(ChunkHeader{kTagForm, 0});
    const bool code_tables = package.header.bytecode_version >= kCodeTablesFromVersion;

    WriteChunk(state, kTagGen8, WriteHeaderChunk);
    WriteChunk(state, kTagOptn, WriteOptionsChunk);
    WriteChunk(state, kTagAgrp, WriteAudioGroupChunk);
    WriteChunk(state, kTagSond, WriteSoundChunk);
    WriteChunk(state, kTagSprt, WriteSpriteChunk);
    WriteChunk(state, kTagBgnd, WriteBackgroundChunk);
    WriteChunk(state, kTagScpt, WriteScriptChunk);
    WriteChunk(state, kTagGlob, WriteGlobalInitChunk);
    WriteChunk(state, kTagKten, WriteGameEndChunk);
    WriteChunk(state, kTagFont, WriteFontChunk);
    WriteChunk(state, kTagObjt, WriteObjectChunk);
    WriteChunk(state, kTagRoom, WriteRoomChunk);
    WriteChunk(state, kTagTpag, WriteTexturePageChunk);
    WriteChunk(state, kTagCode, WriteCodeChunk);
    // A variable table without variables would be too short to read.
    if (code_tables && !package.variables.empty()) WriteChunk(state, kTagVari, WriteVariableChunk);
    if (code_tables) WriteChunk(state, kTagFunc, WriteFunctionChunk);
    WriteChunk(state, kTagStrg, WriteStringChunk);
    WriteChunk(state, kTagTxtr, WriteTextureChunk);
    WriteChunk(state, kTagAudo, WriteAudioChunk);

    out.Patch(form + 4, uint32_t(out.Size() - sizeof(ChunkHeader)));
    return out.Take();
}

std::vector<uint8_t> WriteAudioGroupFile(const GamePackage& package) {
    PackageBuffer out;
    PackageWriteState state{out, package, {}};
    const uint32_t form = out.Append(ChunkHeader{kTagForm, 0});
    WriteChunk(state, kTagAudo, WriteAudioChunk);
    out.Patch(form + 4, uint32_t(out.Size() - sizeof(ChunkHeader)));
    return out.Take();
}

bool WritePackageFile(const GamePackage& package, const std::string& path) {
    const std::vector<uint8_t> bytes = WritePackage(package);
    std::string error;
    std::unique_ptr<AtomicFile> file = AtomicFile::Begin(path, error);
    if (!file) return false;
    file->Write({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
    return file->Commit(error);
}
