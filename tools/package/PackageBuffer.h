// The package file as it is being written: records are appended at the end and patched later
// where they refer forward. String references and texture page entry references are noted
// with their field's offset and filled in once the string table and the texture page entries
// have been written.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

class PackageBuffer {
public:
    uint32_t Size() const { return uint32_t(bytes_.size()); }

    // Appends the record's bytes; returns their offset.
    template <class T>
    uint32_t Append(const T& record) {
        static_assert(std::is_trivially_copyable_v<T>);
        return AppendBytes({reinterpret_cast<const uint8_t*>(&record), sizeof(T)});
    }
    uint32_t AppendBytes(std::span<const uint8_t> data);
    void AlignTo4();

    template <class T>
    void Patch(uint64_t offset, const T& value) {
        static_assert(std::is_trivially_copyable_v<T>);
        std::memcpy(bytes_.data() + offset, &value, sizeof(T));
    }
    template <class T>
    T At(uint64_t offset) const {
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof(T));
        return value;
    }

    // A list head: the count and that many zero references; returns the offset of the first
    // reference, for the caller to patch as it writes the items.
    uint32_t AppendList(size_t count);

    // Chunks: a header whose length is filled in by EndChunk.
    uint32_t BeginChunk(uint32_t tag);
    void EndChunk(uint32_t header);

    // The word at `field` will hold the reference of `text` in the string table.
    void ReferString(uint64_t field, std::string_view text);
    // Writes the string table's payload: each distinct string once, in the order of first
    // reference, `extra` ones after; then fills every noted field.
    void WriteStrings(std::span<const std::string_view> extra);

    // The word at `field` will hold the offset of texture page entry `index` (-1: 0).
    void ReferTexturePage(uint64_t field, int32_t index);
    // Fills the noted fields from the entries' offsets; an index without an entry throws.
    void ResolveTexturePages(std::span<const uint32_t> entry_offsets);

    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
    std::vector<std::pair<uint64_t, std::string_view>> string_fields_;
    std::vector<std::pair<uint64_t, int32_t>> texture_page_fields_;
};
