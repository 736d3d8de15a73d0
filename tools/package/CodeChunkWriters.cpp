// Code entries, the variable and function tables with their occurrence chains, scripts, and the
// global-initialisation and game-end lists.
#include "ChunkWriters.h"

#include <stdexcept>
#include <string>

using namespace package;

namespace {

// Writes the chain through the code bytes: each occurrence's operand gets the distance to the
// next in its low bits. Returns the first occurrence's file offset (0 for none).
uint32_t WriteOccurrenceChain(PackageWriteState& state, const std::vector<CodeLocation>& chain) {
    std::vector<uint32_t> offsets;
    for (const CodeLocation& place : chain) {
        if (place.code_index < 0 || size_t(place.code_index) >= state.code_bytes.size() ||
            uint64_t(place.offset) + kOccurrenceOperandOffset + 4 >
                state.package.code[size_t(place.code_index)].bytes.size())
            throw std::invalid_argument("occurrence outside the code bytes of entry " +
                                        std::to_string(place.code_index));
        offsets.push_back(state.code_bytes[size_t(place.code_index)] + place.offset);
    }
    for (size_t i = 0; i + 1 < offsets.size(); ++i) {
        if (offsets[i + 1] <= offsets[i] || offsets[i + 1] - offsets[i] > kOccurrenceDistanceMask)
            throw std::invalid_argument("occurrences must follow one another through the code");
        const uint64_t operand = offsets[i] + kOccurrenceOperandOffset;
        const uint32_t word = state.out.At<uint32_t>(operand);
        state.out.Patch(operand, (word & ~kOccurrenceDistanceMask) | (offsets[i + 1] - offsets[i]));
    }
    return offsets.empty() ? 0 : offsets.front();
}

void WriteCodeIndexList(PackageWriteState& state, const std::vector<int32_t>& list) {
    state.out.Append(uint32_t(list.size()));
    for (int32_t index : list)
        state.out.Append(index);
}

} // namespace

void WriteCodeChunk(PackageWriteState& state) {
    const auto& code = state.package.code;
    const uint32_t references = state.out.AppendList(code.size());
    state.code_bytes.clear();
    for (size_t i = 0; i < code.size(); ++i) {
        CodeEntryRecord record{0, uint32_t(code[i].bytes.size()), code[i].local_count,
                               code[i].argument_count};
        const uint32_t at = state.out.Append(record);
        state.out.Patch(references + 4 * i, at);
        state.out.ReferString(at + offsetof(CodeEntryRecord, name), code[i].name);
        state.code_bytes.push_back(state.out.AppendBytes(code[i].bytes));
        state.out.AlignTo4();
    }
}

void WriteVariableChunk(PackageWriteState& state) {
    const PackageVariableCounts& counts = state.package.variable_counts;
    state.out.Append(
        VariablesHeader{counts.global_count, counts.instance_count, counts.max_local_count});
    for (const PackageVariable& variable : state.package.variables) {
        VariableRecord record{0, variable.kind, variable.id, uint32_t(variable.occurrences.size()),
                              WriteOccurrenceChain(state, variable.occurrences)};
        const uint32_t at = state.out.Append(record);
        state.out.ReferString(at + offsetof(VariableRecord, name), variable.name);
    }
}

void WriteFunctionChunk(PackageWriteState& state) {
    state.out.Append(uint32_t(state.package.functions.size()));
    for (const PackageFunction& function : state.package.functions) {
        FunctionRecord record{0, uint32_t(function.occurrences.size()),
                              WriteOccurrenceChain(state, function.occurrences)};
        const uint32_t at = state.out.Append(record);
        state.out.ReferString(at + offsetof(FunctionRecord, name), function.name);
    }
    state.out.Append(uint32_t(state.package.code_locals.size()));
    for (const PackageCodeLocals& table : state.package.code_locals) {
        const uint32_t at = state.out.Append(CodeLocalsRecord{0, uint32_t(table.locals.size())});
        state.out.ReferString(at + offsetof(CodeLocalsRecord, code_name), table.code_name);
        for (const PackageLocal& local : table.locals) {
            const uint32_t local_at = state.out.Append(LocalVariableRecord{local.index, 0});
            state.out.ReferString(local_at + offsetof(LocalVariableRecord, name), local.name);
        }
    }
}

void WriteScriptChunk(PackageWriteState& state) {
    WriteResources(state, state.package.scripts, [&](const PackageScript& script) {
        const uint32_t at = state.out.Append(ScriptRecord{0, script.code_index});
        state.out.ReferString(at + offsetof(ScriptRecord, name), script.name);
        return at;
    });
}

void WriteGlobalInitChunk(PackageWriteState& state) {
    WriteCodeIndexList(state, state.package.global_init_code);
}

void WriteGameEndChunk(PackageWriteState& state) {
    WriteCodeIndexList(state, state.package.game_end_code);
}
