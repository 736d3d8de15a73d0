// Text-file slots: opening through the save folder, the per-slot checks and their messages.
#include "Support/TextFileSlots.h"

#include "Base/OutputChannel.h"
#include "Code/RuntimeError.h"
#include "Platform/FileSystem.h"
#include "Support/SaveFolder.h"
#include "Support/SaveWriter.h"

namespace {

void ReportOpenFailure(const std::string& path) {
    DebugOutput().Printf("ERROR!!! :: Failed to open file: %s\n", path.c_str());
}

} // namespace

int32_t TextFileSlots::FreeSlot() {
    for (int32_t slot = 1; slot < kSlotCount; ++slot)
        if (slots_[slot].state == State::Free) return slot;
    ShowError("Cannot open another file (maximum exceeded).", false);
    return -1;
}

int32_t TextFileSlots::OpenRead(const char* name) {
    int32_t slot = FreeSlot();
    if (slot < 0) return -1;
    ResolvedFile resolved = TheSaveFolder().Resolve(name);
    if (resolved.save_path.empty()) return -1;
    std::string path = resolved.save_path;
    Saves().WaitFor(path); // what the game wrote last is what it reads
    if (!IsRegularFile(path) && IsRegularFile(resolved.program_path)) path = resolved.program_path;
    std::unique_ptr<TextFileReader> reader =
        IsRegularFile(path) ? TextFileReader::Open(path) : nullptr;
    if (!reader) {
        ReportOpenFailure(path);
        return -1;
    }
    slots_[slot] = Slot{State::Reading, path, std::move(reader), {}};
    return slot;
}

int32_t TextFileSlots::OpenWrite(const char* name) {
    int32_t slot = FreeSlot();
    if (slot < 0) return -1;
    std::string path = TheSaveFolder().Resolve(name).save_path;
    if (path.empty()) return -1;
    if (!MakeFolderOf(path)) {
        ReportOpenFailure(path);
        return -1;
    }
    slots_[slot] = Slot{State::Writing, path, nullptr, {}};
    return slot;
}

void TextFileSlots::Close(int32_t slot) {
    if (slot < 1 || slot >= kSlotCount) {
        ShowError("Trying to close text file that has not been opened.", false);
        return;
    }
    Slot& closing = slots_[slot];
    if (closing.state == State::Writing) Saves().Replace(std::move(closing.path), std::move(closing.written));
    closing = Slot{};
}

TextFileReader* TextFileSlots::Reader(int32_t slot) {
    if (slot >= 1 && slot < kSlotCount && slots_[slot].state == State::Reading)
        return slots_[slot].reader.get();
    ShowError("File is not opened for reading.", false);
    return nullptr;
}

bool TextFileSlots::AtEnd(int32_t slot) {
    TextFileReader* reader = Reader(slot);
    return !reader || reader->AtEnd();
}

std::string TextFileSlots::ReadLine(int32_t slot) {
    TextFileReader* reader = Reader(slot);
    return reader ? reader->ReadLine() : std::string();
}

std::string TextFileSlots::ReadString(int32_t slot) {
    TextFileReader* reader = Reader(slot);
    return reader ? reader->ReadString() : std::string();
}

void TextFileSlots::Write(int32_t slot, std::string_view text) {
    if (slot < 1 || slot >= kSlotCount || slots_[slot].state != State::Writing) {
        ShowError("File not opened for writing.", false);
        return;
    }
    slots_[slot].written += text;
}

TextFileSlots& TextFiles() {
    static TextFileSlots slots;
    return slots;
}
