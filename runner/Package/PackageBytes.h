// The loaded image as the reader sees it: every read is checked against the end of the file
// before it happens, and records are copied out with memcpy since they sit at any offset.
// Lists charge their size against a budget as large as the file, so references that point many
// records at the same data cannot make the reader allocate more than the file could describe.
//
// Failures throw PackageError with the record being read (see Context) and the offset.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

class PackageBytes {
public:
    explicit PackageBytes(std::span<const uint8_t> image);

    uint64_t Size() const { return image_.size(); }
    const uint8_t* Data() const { return image_.data(); }

    // Fails unless `size` bytes at `offset` lie inside the file.
    void Need(uint64_t offset, uint64_t size, const char* what) const;

    template <class T>
    T Read(uint64_t offset, const char* what) const {
        static_assert(std::is_trivially_copyable_v<T>);
        Need(offset, sizeof(T), what);
        T value;
        std::memcpy(&value, image_.data() + offset, sizeof(T));
        return value;
    }
    uint32_t Word(uint64_t offset, const char* what) const { return Read<uint32_t>(offset, what); }

    // The string a reference points at; reference 0 gives "". Fails when the length word, the
    // characters or the closing NUL are missing.
    std::string_view String(uint32_t reference, const char* what) const;

    // A count word at `offset` for `count` items of `item_size` bytes that follow it: fails
    // unless they fit in the file, and charges them.
    uint32_t Count(uint64_t offset, uint64_t item_size, const char* what);
    // `count` items of `item_size` bytes at `offset`, a count that the reader computed (cells of
    // a tile map, a frame table): fails unless they fit in the file, and charges them.
    void NeedItems(uint64_t offset, uint64_t count, uint64_t item_size, const char* what);
    // A count word and that many words after it.
    std::vector<uint32_t> WordList(uint64_t offset, const char* what);

    // Takes `bytes` from the budget; fails once the file has been used up more than once over.
    void Charge(uint64_t bytes, uint64_t offset);

    [[noreturn]] void Fail(const std::string& problem, uint64_t offset) const;

    // Names the record being read in failure messages ("room 3, instance 7: ..."); contexts
    // nest, and end with the scope.
    class Context {
    public:
        Context(PackageBytes& bytes, const char* kind, int64_t index = -1);
        ~Context();
        Context(const Context&) = delete;
        Context& operator=(const Context&) = delete;

    private:
        PackageBytes& bytes_;
    };

private:
    struct Frame {
        const char* kind;
        int64_t index;
    };

    std::span<const uint8_t> image_;
    uint64_t budget_;
    std::vector<Frame> context_;
};
