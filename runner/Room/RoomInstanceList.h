// A running room's active instances, kept in ascending depth; equal depths keep the order in
// which they came in. Walks survive instances being inserted while they run.
#pragma once

#include <algorithm>
#include <span>
#include <vector>

#include "Variable/CInstance.h"

class RoomInstanceList {
public:
    // After every instance whose depth is lower or equal.
    void Insert(CInstance* instance) {
        // Most instances come in at a depth no lower than the last one's.
        if (list_.empty() || list_.back()->depth <= instance->depth) {
            list_.push_back(instance);
            return;
        }
        auto at = std::upper_bound(list_.begin(), list_.end(), instance->depth,
                                   [](float depth, const CInstance* other) { return depth < other->depth; });
        list_.insert(at, instance);
    }
    void Remove(CInstance* instance) { std::erase(list_, instance); }
    // `incoming` takes `outgoing`'s place; a different depth sends it where that depth goes.
    void Replace(CInstance* outgoing, CInstance* incoming) {
        auto at = std::find(list_.begin(), list_.end(), outgoing);
        if (at != list_.end() && outgoing->depth == incoming->depth) {
            *at = incoming;
            return;
        }
        if (at != list_.end()) list_.erase(at);
        Insert(incoming);
    }
    template <typename Predicate>
    void RemoveIf(Predicate predicate) {
        std::erase_if(list_, predicate);
    }
    void Clear() { list_.clear(); }

    // Calls visit(instance) for each instance in order. Instances inserted by visit are
    // skipped or visited according to where their depth puts them; none is visited twice.
    template <typename Visit>
    void ForEach(Visit visit) {
        for (size_t i = 0; i < list_.size(); ++i) {
            if (i + PREFETCH_DISTANCE < list_.size()) Prefetch(list_[i + PREFETCH_DISTANCE]);
            CInstance* current = list_[i];
            visit(current);
            // An insertion before the current instance moved it further on.
            while (i < list_.size() && list_[i] != current) ++i;
        }
    }

    std::span<CInstance* const> View() const { return list_; }
    // Asks for what a walk over the list reads of an instance, ahead of the walk.
    static void Prefetch(const CInstance* instance) {
        instance->PrefetchHead();
        instance->PrefetchBody();
    }
    size_t Size() const { return list_.size(); }

private:
    std::vector<CInstance*> list_;
};
