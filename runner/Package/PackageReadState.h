// What every chunk reader works with: the checked image, the tables read so far, and look-ups
// for references that are file offsets (texture page entries, places in the code bytes).
// Chunks are read in an order in which every table that a record refers to is complete, so
// each reference is checked where it is read.
#pragma once

#include "Package/GamePackage.h"
#include "Package/PackageBytes.h"
#include "Package/PackageFormat.h"

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

class PackageReadState {
public:
    explicit PackageReadState(GamePackage& package);

    PackageBytes bytes;
    GamePackage& package;

    // The count word that starts a chunk's payload, for `item_size`-byte items that follow it
    // inside the chunk.
    uint32_t ChunkCount(const PackageChunk& chunk, uint64_t item_size, const char* what);
    // A chunk that is a list of references: the references.
    std::vector<uint32_t> ChunkReferences(const PackageChunk& chunk, const char* what);
    // Fails unless [offset, offset + size) lies inside the chunk.
    void NeedInChunk(const PackageChunk& chunk, uint64_t offset, uint64_t size, const char* what);

    // Fails when a reference that must name a record is 0.
    void NeedReference(uint32_t reference, const char* what, uint64_t at);

    // Fails unless 0 <= index < count; `none_allowed` also lets -1 through.
    void CheckIndex(int64_t index, size_t count, bool none_allowed, const char* what, uint64_t at);
    void CheckCodeIndex(int32_t index, bool none_allowed, const char* what, uint64_t at) {
        CheckIndex(index, package.code.size(), none_allowed, what, at);
    }

    // A chunk that is a resource list: each record read by `read` (offset -> T) with the
    // record named in failure messages; empty slots stay empty. The list is sized before the
    // first record is read, so records can check indices into their own kind.
    template <class T, class ReadRecord>
    void ReadResources(const PackageChunk& chunk, const char* kind, ResourceList<T>& list,
                       ReadRecord read) {
        std::vector<uint32_t> references =
            ChunkReferences(chunk, (std::string(kind) + " list").c_str());
        list.assign(references.size(), std::nullopt);
        for (size_t i = 0; i < references.size(); ++i) {
            if (references[i] == package::kNone) continue;
            PackageBytes::Context context(bytes, kind, int64_t(i));
            list[i] = read(references[i]);
        }
    }

    // Once the texture page entries are read: the index of the entry a reference points at;
    // reference 0 gives -1.
    void IndexTexturePages(std::span<const uint32_t> references);
    int32_t TexturePageIndex(uint32_t reference, const char* what, uint64_t at);

    // Once the code entries are read: the chain of `count` occurrences from `first` as places
    // in the code entries' bytes.
    void IndexCode();
    std::vector<CodeLocation> OccurrenceChain(uint32_t first, uint32_t count, uint64_t at);

private:
    CodeLocation LocateOccurrence(uint64_t offset, uint64_t at);

    std::unordered_map<uint32_t, int32_t> texture_page_by_reference_;
    struct CodeRange {
        uint64_t start;
        uint64_t end;
        int32_t index;
    };
    std::vector<CodeRange> code_ranges_; // sorted by start
};
