// The string table, the code entries, the variable and function tables with their occurrence
// chains, the scripts and the lists of global-initialisation and game-end code.
#include "Package/PackageChunkReaders.h"

using namespace package;

void ReadStringChunk(PackageReadState& state, const PackageChunk& chunk) {
    std::vector<uint32_t> references = state.ChunkReferences(chunk, "strings");
    auto& strings = state.package.strings;
    strings.reserve(references.size());
    for (size_t i = 0; i < references.size(); ++i) {
        PackageBytes::Context context(state.bytes, "string", int64_t(i));
        // The table points at length words, records at the characters after them.
        uint64_t characters = uint64_t(references[i]) + kStringLengthSize;
        if (references[i] == kNone || characters > UINT32_MAX)
            state.bytes.Fail("reference " + std::to_string(references[i]) + " is not a string",
                             chunk.offset + 4 + 4 * uint64_t(i));
        strings.push_back(state.bytes.String(uint32_t(characters), "string"));
    }
}

void ReadCodeChunk(PackageReadState& state, const PackageChunk& chunk) {
    std::vector<uint32_t> references = state.ChunkReferences(chunk, "code entries");
    auto& code = state.package.code;
    code.reserve(references.size());
    for (size_t i = 0; i < references.size(); ++i) {
        PackageBytes::Context context(state.bytes, "code entry", int64_t(i));
        state.NeedReference(references[i], "code entry record", chunk.offset + 4 + 4 * uint64_t(i));
        auto record = state.bytes.Read<CodeEntryRecord>(references[i], "code entry record");
        uint64_t bytes_offset = uint64_t(references[i]) + sizeof(CodeEntryRecord);
        state.bytes.Need(bytes_offset, record.length, "code bytes");
        code.push_back({state.bytes.String(record.name, "name"),
                        {state.bytes.Data() + bytes_offset, record.length},
                        record.local_count,
                        record.argument_count});
    }
    state.IndexCode();
}

void ReadVariableChunk(PackageReadState& state, const PackageChunk& chunk) {
    PackageBytes::Context context(state.bytes, "variables");
    if (chunk.length < kVariablesMinimumPayload)
        state.bytes.Fail("variable table of " + std::to_string(chunk.length) +
                             " bytes is shorter than " + std::to_string(kVariablesMinimumPayload),
                         chunk.offset);
    auto header = state.bytes.Read<VariablesHeader>(chunk.offset, "variable counts");
    state.package.variable_counts = {header.global_count,
                                     header.instance_count ? header.instance_count
                                                           : kDefaultInstanceVariableCount,
                                     header.max_local_count};
    const uint64_t records = chunk.offset + sizeof(VariablesHeader);
    const uint64_t records_size = chunk.length - sizeof(VariablesHeader);
    if (records_size % sizeof(VariableRecord) != 0)
        state.bytes.Fail("variable records do not fill the chunk", records);
    const uint64_t count = records_size / sizeof(VariableRecord);
    state.bytes.Charge(records_size, records);
    auto& variables = state.package.variables;
    variables.reserve(count);
    for (uint64_t i = 0; i < count; ++i) {
        PackageBytes::Context record_context(state.bytes, "variable", int64_t(i));
        const uint64_t at = records + i * sizeof(VariableRecord);
        auto record = state.bytes.Read<VariableRecord>(at, "variable record");
        variables.push_back(
            {state.bytes.String(record.name, "name"), record.kind, record.id,
             state.OccurrenceChain(record.first_occurrence, record.occurrence_count, at)});
    }
}

void ReadFunctionChunk(PackageReadState& state, const PackageChunk& chunk) {
    PackageBytes::Context context(state.bytes, "functions");
    const uint32_t count = state.ChunkCount(chunk, sizeof(FunctionRecord), "functions");
    auto& functions = state.package.functions;
    functions.reserve(count);
    uint64_t at = chunk.offset + 4;
    for (uint32_t i = 0; i < count; ++i, at += sizeof(FunctionRecord)) {
        PackageBytes::Context record_context(state.bytes, "function", i);
        auto record = state.bytes.Read<FunctionRecord>(at, "function record");
        functions.push_back(
            {state.bytes.String(record.name, "name"),
             state.OccurrenceChain(record.first_occurrence, record.occurrence_count, at)});
    }

    // The local variables of the code entries follow, when the chunk goes on.
    const uint64_t end = uint64_t(chunk.offset) + chunk.length;
    if (at == end) return;
    state.NeedInChunk(chunk, at, 4, "local tables");
    const uint32_t tables = state.bytes.Count(at, sizeof(CodeLocalsRecord), "local tables");
    at += 4;
    for (uint32_t t = 0; t < tables; ++t) {
        PackageBytes::Context table_context(state.bytes, "local table", t);
        state.NeedInChunk(chunk, at, sizeof(CodeLocalsRecord), "local table");
        auto record = state.bytes.Read<CodeLocalsRecord>(at, "local table");
        const uint64_t locals_at = at + offsetof(CodeLocalsRecord, local_count);
        const uint32_t local_count =
            state.bytes.Count(locals_at, sizeof(LocalVariableRecord), "locals");
        state.NeedInChunk(chunk, locals_at + 4, uint64_t(local_count) * sizeof(LocalVariableRecord),
                          "locals");
        PackageCodeLocals table{state.bytes.String(record.code_name, "code name"), {}};
        table.locals.reserve(local_count);
        at = locals_at + 4;
        for (uint32_t l = 0; l < local_count; ++l, at += sizeof(LocalVariableRecord)) {
            auto local = state.bytes.Read<LocalVariableRecord>(at, "local");
            table.locals.push_back({local.index, state.bytes.String(local.name, "local name")});
        }
        state.package.code_locals.push_back(std::move(table));
    }
}

void ReadScriptChunk(PackageReadState& state, const PackageChunk& chunk) {
    state.ReadResources(chunk, "script", state.package.scripts, [&](uint32_t at) {
        auto record = state.bytes.Read<ScriptRecord>(at, "script record");
        state.CheckCodeIndex(record.code_index, true, "code entry", at + 4);
        return PackageScript{state.bytes.String(record.name, "name"), record.code_index};
    });
}

namespace {

void ReadCodeIndexList(PackageReadState& state, const PackageChunk& chunk, const char* kind,
                       std::vector<int32_t>& list) {
    PackageBytes::Context context(state.bytes, kind);
    const uint32_t count = state.ChunkCount(chunk, 4, "code entries");
    list.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t at = chunk.offset + 4 + uint64_t(i) * 4;
        list[i] = int32_t(state.bytes.Word(at, "code entry"));
        state.CheckCodeIndex(list[i], false, "code entry", at);
    }
}

} // namespace

void ReadGlobalInitChunk(PackageReadState& state, const PackageChunk& chunk) {
    ReadCodeIndexList(state, chunk, "global initialisation", state.package.global_init_code);
}

void ReadGameEndChunk(PackageReadState& state, const PackageChunk& chunk) {
    ReadCodeIndexList(state, chunk, "game end", state.package.game_end_code);
}
