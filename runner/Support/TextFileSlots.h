// The 32 text-file slots behind `file_text_*`. Slot numbers 1 to 31 are handed out; each holds
// a file open for reading or for writing. What is written to a file is kept until it is closed,
// then handed to the save writer, which replaces the file whole off the game thread (see
// SaveWriter), so neither a crash mid-save nor a slow disk costs the player. Two slots writing one
// file: the one closed last wins.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "Support/TextFileReader.h"

class TextFileSlots {
public:
    static constexpr int32_t kSlotCount = 32;

    // The slot number, or -1 after a report: no free slot, a refused name, or no such file.
    int32_t OpenRead(const char* name);
    int32_t OpenWrite(const char* name);
    // A slot open for writing hands its file to the save writer; a failure keeps the old file and
    // is reported on the error output.
    void Close(int32_t slot);

    // A slot not open for reading is reported; it reads as empty and at its end.
    bool AtEnd(int32_t slot);
    std::string ReadLine(int32_t slot);
    std::string ReadString(int32_t slot);
    // A slot not open for writing is reported and nothing is written.
    void Write(int32_t slot, std::string_view text);

private:
    enum class State { Free, Reading, Writing };
    struct Slot {
        State state = State::Free;
        std::string path;
        std::unique_ptr<TextFileReader> reader;
        std::string written;
    };

    int32_t FreeSlot();
    TextFileReader* Reader(int32_t slot);

    std::array<Slot, kSlotCount> slots_;
};

TextFileSlots& TextFiles();
