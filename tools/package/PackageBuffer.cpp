// Appending, patching and the two kinds of forward references.
#include "PackageBuffer.h"

#include "Package/PackageFormat.h"

#include <stdexcept>
#include <string>

uint32_t PackageBuffer::AppendBytes(std::span<const uint8_t> data) {
    const uint32_t offset = Size();
    bytes_.insert(bytes_.end(), data.begin(), data.end());
    return offset;
}

void PackageBuffer::AlignTo4() {
    bytes_.resize(package::PadTo4(bytes_.size()), 0);
}

uint32_t PackageBuffer::AppendList(size_t count) {
    Append(uint32_t(count));
    const uint32_t first = Size();
    bytes_.resize(bytes_.size() + count * 4, 0);
    return first;
}

uint32_t PackageBuffer::BeginChunk(uint32_t tag) {
    return Append(package::ChunkHeader{tag, 0});
}

void PackageBuffer::EndChunk(uint32_t header) {
    AlignTo4();
    Patch(header + 4, uint32_t(Size() - header - sizeof(package::ChunkHeader)));
}

void PackageBuffer::ReferString(uint64_t field, std::string_view text) {
    string_fields_.emplace_back(field, text);
}

void PackageBuffer::WriteStrings(std::span<const std::string_view> extra) {
    std::vector<std::string_view> order;
    std::unordered_map<std::string_view, uint32_t> index;
    auto add = [&](std::string_view text) {
        if (index.try_emplace(text, uint32_t(order.size())).second) order.push_back(text);
    };
    for (const auto& field : string_fields_)
        add(field.second);
    for (std::string_view text : extra)
        add(text);

    const uint32_t references = AppendList(order.size());
    std::vector<uint32_t> characters(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const uint32_t length_word = Append(uint32_t(order[i].size()));
        Patch(references + 4 * i, length_word);
        characters[i] = length_word + package::kStringLengthSize;
        AppendBytes({reinterpret_cast<const uint8_t*>(order[i].data()), order[i].size()});
        Append(uint8_t(0));
        AlignTo4();
    }
    for (const auto& [field, text] : string_fields_)
        Patch(field, characters[index.at(text)]);
}

void PackageBuffer::ReferTexturePage(uint64_t field, int32_t index) {
    texture_page_fields_.emplace_back(field, index);
}

void PackageBuffer::ResolveTexturePages(std::span<const uint32_t> entry_offsets) {
    for (const auto& [field, index] : texture_page_fields_) {
        if (index == -1) continue; // stays 0
        if (index < 0 || size_t(index) >= entry_offsets.size())
            throw std::invalid_argument("texture page entry " + std::to_string(index) +
                                        " does not exist");
        Patch(field, entry_offsets[size_t(index)]);
    }
}
