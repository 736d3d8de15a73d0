// The handles of one kind of data structure: an index into a table of owning pointers. A new
// structure takes the lowest free index, so a destroyed structure's handle comes back first;
// the kinds have separate tables, so map 0 and list 0 can both exist.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Code/RuntimeError.h"

constexpr const char* kMissingStructureMessage = "Data structure with index does not exist.";

template <typename T>
class DsHandleTable {
public:
    int32_t Add(std::unique_ptr<T> structure) {
        if (free_count_ > 0) {
            for (size_t i = 0; i < slots_.size(); ++i) {
                if (slots_[i]) continue;
                slots_[i] = std::move(structure);
                --free_count_;
                return static_cast<int32_t>(i);
            }
        }
        slots_.push_back(std::move(structure));
        return static_cast<int32_t>(slots_.size() - 1);
    }

    // The structure, or null without a word.
    T* Find(int32_t handle) const {
        if (handle < 0 || static_cast<size_t>(handle) >= slots_.size()) return nullptr;
        return slots_[static_cast<size_t>(handle)].get();
    }

    // The structure, or null after the non-fatal report that scripts see for a bad handle.
    T* Get(int32_t handle) const {
        T* structure = Find(handle);
        if (!structure) ShowError(kMissingStructureMessage, false);
        return structure;
    }

    // Removes the structure and frees its handle; null when there was none.
    std::unique_ptr<T> Take(int32_t handle) {
        if (!Find(handle)) return nullptr;
        ++free_count_;
        return std::move(slots_[static_cast<size_t>(handle)]);
    }

    // How many structures exist: what a long run watches for growth.
    size_t LiveCount() const { return slots_.size() - free_count_; }

    void Clear() {
        slots_.clear();
        free_count_ = 0;
    }

private:
    std::vector<std::unique_ptr<T>> slots_;
    size_t free_count_ = 0;
};
