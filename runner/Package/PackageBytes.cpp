// Checked reads from the loaded image.
#include "Package/PackageBytes.h"

#include "Package/PackageError.h"
#include "Package/PackageFormat.h"

PackageBytes::PackageBytes(std::span<const uint8_t> image) : image_(image), budget_(image.size()) {}

void PackageBytes::Need(uint64_t offset, uint64_t size, const char* what) const {
    if (offset > image_.size() || size > image_.size() - offset)
        Fail(std::string(what) + " runs past the end of the file (" +
                 std::to_string(image_.size()) + " bytes)",
             offset);
}

std::string_view PackageBytes::String(uint32_t reference, const char* what) const {
    if (reference == package::kNone) return {};
    if (reference < package::kStringLengthSize)
        Fail(std::string(what) + ": string reference " + std::to_string(reference) +
                 " leaves no room for its length",
             reference);
    uint64_t length_offset = reference - package::kStringLengthSize;
    uint32_t length = Word(length_offset, what);
    // The characters and the NUL after them.
    if (uint64_t(length) + 1 > image_.size() - reference)
        Fail(std::string(what) + ": string of " + std::to_string(length) +
                 " bytes runs past the end of the file",
             length_offset);
    if (image_[reference + uint64_t(length)] != 0)
        Fail(std::string(what) + ": string is not terminated by a NUL", length_offset);
    return {reinterpret_cast<const char*>(image_.data() + reference), length};
}

uint32_t PackageBytes::Count(uint64_t offset, uint64_t item_size, const char* what) {
    uint32_t count = Word(offset, what);
    // Items of no size still cost a byte each, so that their count stays bounded by the file.
    uint64_t size = item_size ? item_size : 1;
    if (count > (image_.size() - (offset + 4)) / size)
        Fail(std::string(what) + ": count " + std::to_string(count) +
                 " needs more bytes than remain in the file",
             offset);
    Charge(count * size, offset);
    return count;
}

void PackageBytes::NeedItems(uint64_t offset, uint64_t count, uint64_t item_size,
                             const char* what) {
    uint64_t size = item_size ? item_size : 1;
    if (offset > image_.size() || count > (image_.size() - offset) / size)
        Fail(std::string(what) + ": " + std::to_string(count) + " items of " +
                 std::to_string(item_size) + " bytes run past the end of the file",
             offset);
    Charge(count * size, offset);
}

std::vector<uint32_t> PackageBytes::WordList(uint64_t offset, const char* what) {
    uint32_t count = Count(offset, 4, what);
    std::vector<uint32_t> words(count);
    if (count) std::memcpy(words.data(), image_.data() + offset + 4, uint64_t(count) * 4);
    return words;
}

void PackageBytes::Charge(uint64_t bytes, uint64_t offset) {
    if (bytes > budget_)
        Fail("references reach more data than the file holds (data shared between records)",
             offset);
    budget_ -= bytes;
}

void PackageBytes::Fail(const std::string& problem, uint64_t offset) const {
    std::string line;
    for (const Frame& frame : context_) {
        if (!line.empty()) line += ", ";
        line += frame.kind;
        if (frame.index >= 0) line.append(" ").append(std::to_string(frame.index));
    }
    if (!line.empty()) line += ": ";
    throw PackageError(line + problem, offset);
}

PackageBytes::Context::Context(PackageBytes& bytes, const char* kind, int64_t index)
    : bytes_(bytes) {
    bytes_.context_.push_back({kind, index});
}

PackageBytes::Context::~Context() {
    bytes_.context_.pop_back();
}
