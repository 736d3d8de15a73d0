// Learning per-object slot layouts, and the table of them by object index.
#include "Variable/SlotLayout.h"

#include <memory>

namespace {

std::vector<std::unique_ptr<SlotLayout>>& Layouts() {
    static std::vector<std::unique_ptr<SlotLayout>> layouts;
    return layouts;
}

std::vector<std::unique_ptr<SlotLayout>>& Retired() {
    static std::vector<std::unique_ptr<SlotLayout>> retired;
    return retired;
}

} // namespace

void SlotLayout::Learn(int32_t slot) {
    if (slot < 0 || cell_count_ >= MAX_CELLS || IndexOf(slot) != NOT_LAID_OUT) return;
    if (uint32_t(slot) >= storage_.size()) storage_.resize(size_t(slot) + 1, NOT_LAID_OUT);
    storage_[size_t(slot)] = cell_count_++;
}

SlotLayout* InstanceLayout(int32_t object_index) {
    if (object_index < 0) return nullptr;
    auto& layouts = Layouts();
    if (size_t(object_index) >= layouts.size()) layouts.resize(size_t(object_index) + 1);
    auto& layout = layouts[size_t(object_index)];
    if (!layout) layout = std::make_unique<SlotLayout>();
    return layout.get();
}

void RetireInstanceLayouts() {
    for (auto& layout : Layouts())
        if (layout) Retired().push_back(std::move(layout));
    Layouts().clear();
}
