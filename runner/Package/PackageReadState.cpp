// Reference checks and look-ups shared by the chunk readers.
#include "Package/PackageReadState.h"

#include "Package/PackageFormat.h"

#include <algorithm>

PackageReadState::PackageReadState(GamePackage& game_package)
    : bytes(game_package.image), package(game_package) {}

uint32_t PackageReadState::ChunkCount(const PackageChunk& chunk, uint64_t item_size,
                                      const char* what) {
    NeedInChunk(chunk, chunk.offset, 4, what);
    uint32_t count = bytes.Count(chunk.offset, item_size, what);
    NeedInChunk(chunk, chunk.offset + 4, uint64_t(count) * item_size, what);
    return count;
}

std::vector<uint32_t> PackageReadState::ChunkReferences(const PackageChunk& chunk,
                                                        const char* what) {
    ChunkCount(chunk, 4, what);
    // ChunkCount charged the references already; read them without charging twice.
    uint32_t count = bytes.Word(chunk.offset, what);
    std::vector<uint32_t> references(count);
    for (uint32_t i = 0; i < count; ++i)
        references[i] = bytes.Word(chunk.offset + 4 + uint64_t(i) * 4, what);
    return references;
}

void PackageReadState::NeedInChunk(const PackageChunk& chunk, uint64_t offset, uint64_t size,
                                   const char* what) {
    uint64_t end = uint64_t(chunk.offset) + chunk.length;
    if (offset < chunk.offset || offset > end || size > end - offset)
        bytes.Fail(std::string(what) + " runs past the end of its chunk (" +
                       std::to_string(chunk.length) + " bytes)",
                   offset);
}

void PackageReadState::NeedReference(uint32_t reference, const char* what, uint64_t at) {
    if (reference == package::kNone) bytes.Fail(std::string(what) + " is missing", at);
}

void PackageReadState::CheckIndex(int64_t index, size_t count, bool none_allowed, const char* what,
                                  uint64_t at) {
    if ((index >= 0 && uint64_t(index) < count) || (none_allowed && index == -1)) return;
    bytes.Fail(std::string(what) + " " + std::to_string(index) + " is out of range (" +
                   std::to_string(count) + (none_allowed ? ", or -1 for none)" : ")"),
               at);
}

void PackageReadState::IndexTexturePages(std::span<const uint32_t> references) {
    for (size_t i = 0; i < references.size(); ++i)
        texture_page_by_reference_.try_emplace(references[i], static_cast<int32_t>(i));
}

int32_t PackageReadState::TexturePageIndex(uint32_t reference, const char* what, uint64_t at) {
    if (reference == package::kNone) return -1;
    auto found = texture_page_by_reference_.find(reference);
    if (found == texture_page_by_reference_.end())
        bytes.Fail(std::string(what) + " " + std::to_string(reference) +
                       " is not a texture page entry",
                   at);
    return found->second;
}

void PackageReadState::IndexCode() {
    code_ranges_.clear();
    for (size_t i = 0; i < package.code.size(); ++i) {
        auto start = uint64_t(package.code[i].bytes.data() - bytes.Data());
        code_ranges_.push_back({start, start + package.code[i].bytes.size(), int32_t(i)});
    }
    std::sort(code_ranges_.begin(), code_ranges_.end(),
              [](const CodeRange& a, const CodeRange& b) { return a.start < b.start; });
}

CodeLocation PackageReadState::LocateOccurrence(uint64_t offset, uint64_t at) {
    // The last entry that starts at or before the offset.
    auto after = std::upper_bound(
        code_ranges_.begin(), code_ranges_.end(), offset,
        [](uint64_t value, const CodeRange& range) { return value < range.start; });
    const uint64_t operand_end = offset + package::kOccurrenceOperandOffset + 4;
    if (after == code_ranges_.begin() || operand_end > std::prev(after)->end)
        bytes.Fail("occurrence at " + std::to_string(offset) +
                       " and its operand are not inside one code entry's bytes",
                   at);
    const CodeRange& range = *std::prev(after);
    return {range.index, uint32_t(offset - range.start)};
}

std::vector<CodeLocation> PackageReadState::OccurrenceChain(uint32_t first, uint32_t count,
                                                            uint64_t at) {
    // Every occurrence holds at least its 8 bytes of code, so a real chain fits the file.
    bytes.Charge(uint64_t(count) * 8, at);
    std::vector<CodeLocation> chain;
    chain.reserve(count);
    uint64_t offset = first;
    for (uint32_t i = 0; i < count; ++i) {
        chain.push_back(LocateOccurrence(offset, at));
        if (i + 1 < count) {
            uint32_t operand =
                bytes.Word(offset + package::kOccurrenceOperandOffset, "occurrence operand");
            offset += operand & package::kOccurrenceDistanceMask;
        }
    }
    return chain;
}
