// A small package with records of every kind and non-default values in every field, and the
// game whose code belongs to it: what the round-trip tests compare, what the loader tests load,
// and what the fuzz seeds start from. It owns the texts and bytes its tables view.
#pragma once

#include "Package/GameLink.h"
#include "Package/GamePackage.h"

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class SamplePackage {
public:
    SamplePackage();
    SamplePackage(const SamplePackage&) = delete;
    SamplePackage& operator=(const SamplePackage&) = delete;

    GamePackage tables;

    // Keeps `text` (or `bytes`) for as long as the sample lives and returns a view of it.
    std::string_view Text(std::string text);
    std::span<const uint8_t> Bytes(std::vector<uint8_t> bytes);

    // A code entry named `name` with `size` bytes of code; returns its index.
    int32_t AddCode(const std::string& name, size_t size);

    // The compiled game this package belongs to: one code table entry per code entry with the
    // same name, the variables and functions its code names. Valid while the sample lives and
    // its code entries do not change.
    GameLink Link();

private:
    std::deque<std::string> texts_;
    std::deque<std::vector<uint8_t>> bytes_;
    std::vector<CodeEntry> code_table_;
    std::vector<VariablePair> variable_pairs_;
    std::vector<FunctionPair> function_pairs_;
};
