// A save must survive the game dying at any moment: a writer process is killed at many points
// between opening the file and its save writer finishing it, and every time the file is found
// whole, old or new.
#include <chrono>
#include <filesystem>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../Code/ValueTestSupport.h"
#include "Support/SaveFolder.h"
#include "Support/SaveWriter.h"
#include "SupportTestSupport.h"

namespace {

constexpr int kLines = 2000; // more than the writer buffers, so bytes reach the disk before closing
constexpr int kLinesPerMark = 100;
// Opened, every 100 lines, closing, closed (the bytes handed to the save writer), written.
constexpr int kMarks = 1 + kLines / kLinesPerMark + 3;

std::string Line(int i) { return "line " + std::to_string(i) + " of the new save, padded out"; }

class SaveCrash : public BuiltinCallTest {
protected:
    void SetUp() override {
        BuiltinCallTest::SetUp();
        TheSaveFolder().SetFolder(save_.Path());
        for (int i = 0; i < kLines; ++i)
            new_save_ += Line(i) + "\n";
        for (int i = 0; i < 50; ++i)
            old_save_ += "the old save, line " + std::to_string(i) + "\n";
        WriteText(save_.Path() + "save.fluffy", old_save_);
    }

    // The child: writes the new save through the built-ins, telling the parent how far it got.
    [[noreturn]] void WriteNewSave(int progress) {
        auto mark = [progress] {
            char c = 'm';
            (void)!write(progress, &c, 1);
        };
        double slot = Number("file_text_open_write", Str("save.fluffy"));
        mark();
        for (int i = 0; i < kLines; ++i) {
            Call("file_text_write_string", Num(slot), Str(Line(i)));
            Call("file_text_writeln", Num(slot));
            if ((i + 1) % kLinesPerMark == 0) mark();
        }
        mark();
        Call("file_text_close", Num(slot));
        mark();
        Saves().Drain(); // as the runner does before it exits
        mark();
        _exit(0);
    }

    // Forks a writer, lets it pass `marks` marks and then `extra` more, and kills it; then the
    // file must be the old save or the new one, whole. The old one is put back for the next kill.
    void KillWriterAt(int marks, std::chrono::microseconds extra, int point) {
        using Clock = std::chrono::steady_clock;
        int pipe_ends[2];
        ASSERT_EQ(pipe(pipe_ends), 0);
        pid_t child = fork();
        if (child == 0) {
            close(pipe_ends[0]);
            WriteNewSave(pipe_ends[1]);
        }
        close(pipe_ends[1]);
        char c;
        for (int seen = 0; seen < marks && read(pipe_ends[0], &c, 1) == 1; ++seen) {
        }
        Clock::time_point reached = Clock::now();
        while (Clock::now() < reached + extra) {
        }
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(pipe_ends[0]);

        std::string found = ReadText(save_.Path() + "save.fluffy");
        EXPECT_TRUE(found == old_save_ || found == new_save_)
            << "killed at mark " << marks << " + " << extra.count() << " us, point " << point
            << ": " << found.size() << " bytes";
        (found == old_save_ ? found_old_ : found_new_) += 1;
        EXPECT_EQ(Number("file_exists", Str("save.fluffy")), 1);
        WriteText(save_.Path() + "save.fluffy", old_save_);
    }

    TempFolder save_;
    std::string old_save_, new_save_;
    int found_old_ = 0;
    int found_new_ = 0;
};

// Killed at every mark, then ever later after the close while the save writer writes, syncs
// and renames in flight. A sync takes from tens of microseconds to many milliseconds on a busy
// machine, so the delays grow geometrically from 10 us until a kill comes after the writer.
TEST_F(SaveCrash, AKilledWriterLeavesTheOldFileOrTheNewOneWhole) {
    for (int mark = 0; mark <= kMarks; ++mark)
        KillWriterAt(mark, {}, mark);
    EXPECT_GT(found_old_, 0);
    EXPECT_GT(found_new_, 0); // the writer that finished
    found_new_ = 0;
    double delay_us = 10;
    for (int point = 0; point < 40 || (found_new_ == 0 && delay_us < 2e6);
         ++point, delay_us *= 1.2)
        KillWriterAt(kMarks - 2, std::chrono::microseconds(int64_t(delay_us)), point);
    EXPECT_GT(found_new_, 0); // the latest kills came after the writer
    // The killed writers' temporaries go when the folder is next taken into use.
    TheSaveFolder().SetFolder(save_.Path());
    EXPECT_EQ(Number("file_exists", Str("save.fluffy")), 1);
    for (const auto& entry : std::filesystem::directory_iterator(save_.Path()))
        EXPECT_EQ(entry.path().filename(), "save.fluffy");
}

} // namespace
