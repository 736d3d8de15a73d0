// Text files as scripts see them: slots, lines, saves, and names kept out of reach.
#include <filesystem>
#include <unistd.h>

#include "../Code/ValueTestSupport.h"
#include "Support/SaveFolder.h"
#include "Support/SaveWriter.h"
#include "SupportTestSupport.h"

namespace {

using Texts = std::vector<std::string>;

class TextFiles : public BuiltinCallTest {
protected:
    void SetUp() override {
        BuiltinCallTest::SetUp();
        TheSaveFolder().SetFolder(save_.Path());
        TheSaveFolder().SetProgramFolder(program_.Path());
    }
    void TearDown() override {
        for (int slot = 1; slot < 32; ++slot)
            Call("file_text_close", Num(slot));
        Saves().Drain(); // before the folders go
        TheSaveFolder().SetUnrestricted(false);
        TheSaveFolder().SetVerbose(false);
        BuiltinCallTest::TearDown();
    }

    double Open(const char* function, const std::string& name) {
        return Number(function, Str(name));
    }
    std::string ReadLine(double slot) { return Text("file_text_readln", Num(slot)); }
    std::string ReadString(double slot) { return Text("file_text_read_string", Num(slot)); }
    double AtEnd(double slot) { return Number("file_text_eof", Num(slot)); }
    int TemporaryFiles() const {
        int count = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(save_.Path()))
            count += entry.path().string().ends_with(".~saving");
        return count;
    }

    TempFolder save_;
    TempFolder program_;
};

TEST_F(TextFiles, LinesKeepTheirLineFeedAndStringsStopBeforeIt) {
    WriteText(save_.Path() + "open.txt", "first\nsecond");
    double slot = Open("file_text_open_read", "open.txt");
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(ReadLine(slot), "first\n");
    EXPECT_EQ(AtEnd(slot), 0);
    EXPECT_EQ(ReadLine(slot), "second");
    EXPECT_EQ(AtEnd(slot), 1);
    EXPECT_EQ(ReadLine(slot), "");
    Call("file_text_close", Num(slot));

    WriteText(save_.Path() + "closed.txt", "key\r\nvalue\n");
    slot = Open("file_text_open_read", "closed.txt");
    // The break stays unread by a string.
    EXPECT_EQ((Texts{ReadString(slot), ReadString(slot), ReadLine(slot), ReadString(slot)}),
              (Texts{"key", "", "\r\n", "value"}));
    EXPECT_EQ(AtEnd(slot), 0);
    EXPECT_EQ(ReadLine(slot), "\n");
    EXPECT_EQ(AtEnd(slot), 1);
    Call("file_text_close", Num(slot));

    WriteText(save_.Path() + "empty.txt", "");
    EXPECT_EQ(AtEnd(Open("file_text_open_read", "empty.txt")), 1);
}

TEST_F(TextFiles, WritesReplaceTheFileWholeWhenClosedOrKeepItWhenTheyFail) {
    WriteText(save_.Path() + "saves/slot.txt", "old\n");
    double slot = Open("file_text_open_write", "saves/slot.txt");
    Call("file_text_write_string", Num(slot), Str("hello"));
    Call("file_text_writeln", Num(slot));
    Call("file_text_write_string", Num(slot), Num(12));
    Call("file_text_write_string", Num(slot), Str(std::string_view("\0!", 2)));
    EXPECT_EQ(ReadText(save_.Path() + "saves/slot.txt"), "old\n"); // untouched until closed
    EXPECT_EQ(TemporaryFiles(), 0);
    Call("file_text_close", Num(slot));
    // The game reads what it wrote, though the writer may not have finished.
    EXPECT_EQ(ReadLine(Open("file_text_open_read", "saves/slot.txt")), "hello\n");
    Saves().Drain();
    EXPECT_EQ(ReadText(save_.Path() + "saves/slot.txt"), std::string("hello\n12\0!", 10));
    EXPECT_EQ(debug_.find("SavePrePend = " + save_.Path() + "\n"), 0u);

    // A first save makes its folders and exists at once; of two writers, the one closed last
    // wins; a delete comes after the saves before it.
    double first = Open("file_text_open_write", "new/deeper/options.txt");
    double second = Open("file_text_open_write", "new/deeper/options.txt");
    Call("file_text_write_string", Num(first), Str("first"));
    Call("file_text_write_string", Num(second), Str("second"));
    Call("file_text_close", Num(second));
    EXPECT_EQ(Number("file_exists", Str("new/deeper/options.txt")), 1);
    Call("file_text_close", Num(first));
    Call("file_text_close", Num(Open("file_text_open_write", "gone.txt")));
    EXPECT_EQ(Number("file_delete", Str("gone.txt")), 1);
    Saves().Drain();
    EXPECT_EQ(ReadText(save_.Path() + "new/deeper/options.txt"), "first");
    EXPECT_EQ(TemporaryFiles(), 0);
    EXPECT_FALSE(std::filesystem::exists(save_.Path() + "gone.txt"));

    // A save that fails keeps what was there.
    std::string errors;
    ErrorOutput().CaptureTo(&errors);
    std::filesystem::create_directories(save_.Path() + "taken.txt"); // a folder where the file goes
    WriteText(save_.Path() + "taken.txt/kept", "kept");
    slot = Open("file_text_open_write", "taken.txt");
    Call("file_text_write_string", Num(slot), Str("lost"));
    Call("file_text_close", Num(slot));
    Saves().Drain(); // reports on this thread
    ErrorOutput().CaptureTo(nullptr);
    EXPECT_NE(errors.find("Failed to save file " + save_.Path() + "taken.txt"), std::string::npos)
        << errors;
    EXPECT_EQ(ReadText(save_.Path() + "taken.txt/kept"), "kept");
    EXPECT_EQ(TemporaryFiles(), 0);

    WriteText(save_.Path() + "blocker", "a file, not a folder");
    debug_.clear();
    EXPECT_EQ(Open("file_text_open_write", "blocker/save.txt"), -1);
    EXPECT_EQ(debug_, "ERROR!!! :: Failed to open file: " + save_.Path() + "blocker/save.txt\n");
}

TEST_F(TextFiles, ReadingLooksInTheSaveFolderFirstThenBesideTheProgram) {
    WriteText(program_.Path() + "data.txt", "from the program");
    EXPECT_EQ(ReadLine(Open("file_text_open_read", "data.txt")), "from the program");
    EXPECT_EQ(Number("file_exists", Str("data.txt")), 1);
    EXPECT_EQ(Number("file_delete", Str("data.txt")), 0); // only save files are deleted
    WriteText(save_.Path() + "data.txt", "from the save");
    EXPECT_EQ(ReadLine(Open("file_text_open_read", "data.txt")), "from the save");
    EXPECT_EQ(ReadLine(Open("file_text_open_read", program_.Path() + "data.txt")), "from the save");
    EXPECT_EQ(Number("file_delete", Str("data.txt")), 1);
    EXPECT_FALSE(std::filesystem::exists(save_.Path() + "data.txt"));
    EXPECT_TRUE(std::filesystem::exists(program_.Path() + "data.txt"));

    debug_.clear();
    EXPECT_EQ(Open("file_text_open_read", "missing.txt"), -1);
    EXPECT_EQ(debug_, "ERROR!!! :: Failed to open file: " + save_.Path() + "missing.txt\n");
    EXPECT_EQ(Number("file_exists", Str("missing.txt")), 0);
    std::filesystem::create_directories(save_.Path() + "folder");
    EXPECT_EQ(Number("file_exists", Str("folder")), 0);
    EXPECT_EQ(Number("file_delete", Str("folder")), 0);
}

TEST_F(TextFiles, NamesOutsideTheAllowedFoldersAreRefused) {
    TempFolder elsewhere;
    WriteText(elsewhere.Path() + "secret.txt", "secret");
    WriteText(save_.Path() + "s.txt.4242-abcdef.~saving", "half a save");
    const std::string refused[] = {elsewhere.Path() + "secret.txt",
                                   "../../../../../../../../etc/passwd",
                                   save_.Path() + "../escape.txt", "s.txt.4242-abcdef.~saving"};
    TheSaveFolder().Folder(); // its first use writes a line of its own
    for (const std::string& name : refused) {
        debug_.clear();
        EXPECT_EQ(Number("file_exists", Str(name)), 0) << name;
        EXPECT_EQ(debug_, "Error! not allowing file operation with filename '" + name + "'.\n");
        EXPECT_EQ(Open("file_text_open_read", name), -1) << name;
        EXPECT_EQ(Open("file_text_open_write", name), -1) << name;
        EXPECT_EQ(Number("file_delete", Str(name)), 0) << name;
    }
    EXPECT_EQ(ReadText(elsewhere.Path() + "secret.txt"), "secret");
    EXPECT_FALSE(std::filesystem::exists(save_.Path() + "../escape.txt"));

    // The program's folder and the current one are redirected into the save folder.
    TheSaveFolder().SetVerbose(true);
    debug_.clear();
    Call("file_text_close",
         Num(Open("file_text_open_write", program_.Path() + "sub/../moved.txt")));
    EXPECT_EQ(debug_, "Warning! Save location - redirected to: '" + save_.Path() + "moved.txt'\n");
    Saves().Drain();
    EXPECT_TRUE(std::filesystem::exists(save_.Path() + "moved.txt"));
    EXPECT_FALSE(std::filesystem::exists(program_.Path() + "moved.txt"));

    // The folder of the game a game change came from stays reachable; so does everything when
    // the package allows it.
    TheSaveFolder().SetGameChangeFolder(elsewhere.Path());
    EXPECT_EQ(ReadLine(Open("file_text_open_read", elsewhere.Path() + "secret.txt")), "secret");
    TheSaveFolder().SetGameChangeFolder("");
    EXPECT_EQ(Number("file_exists", Str(elsewhere.Path() + "secret.txt")), 0);
    TheSaveFolder().SetUnrestricted(true);
    EXPECT_EQ(Number("file_exists", Str(elsewhere.Path() + "secret.txt")), 1);
}

TEST_F(TextFiles, SlotsRunOutAndRefuseTheWrongUse) {
    WriteText(save_.Path() + "f.txt", "x");
    for (int slot = 1; slot < 32; ++slot)
        EXPECT_EQ(Open("file_text_open_read", "f.txt"), slot);
    RuntimeErrorCapture errors;
    EXPECT_EQ(Open("file_text_open_read", "f.txt"), -1);
    EXPECT_EQ(Open("file_text_open_write", "g.txt"), -1);
    EXPECT_FALSE(std::filesystem::exists(save_.Path() + "g.txt"));
    Call("file_text_close", Num(5));
    Call("file_text_close", Num(5)); // already free: nothing
    Call("file_text_close", Num(0));
    Call("file_text_close", Num(32));
    double writing = Open("file_text_open_write", "w.txt");
    EXPECT_EQ(writing, 5);
    EXPECT_EQ(ReadLine(writing), "");
    EXPECT_EQ(AtEnd(-1), 1);
    EXPECT_EQ(AtEnd(40), 1);
    Call("file_text_write_string", Num(1), Str("into a reader"));
    Call("file_text_writeln", Num(-1));
    const std::string full = "Cannot open another file (maximum exceeded).";
    const std::string not_open = "Trying to close text file that has not been opened.";
    const std::string not_reading = "File is not opened for reading.";
    const std::string not_writing = "File not opened for writing.";
    EXPECT_EQ(errors.Messages(), (Texts{full, full, not_open, not_open, not_reading, not_reading,
                                        not_reading, not_writing, not_writing}));
    EXPECT_EQ(ReadText(save_.Path() + "f.txt"), "x");
}

TEST_F(TextFiles, TemporariesOfDeadWritersGoWhenTheFolderIsFirstUsed) {
    const std::string mine = save_.Path() + "a.txt." + std::to_string(getpid()) + "-abcdef.~saving";
    const std::string dead = save_.Path() + "a.txt.999999999-abcdef.~saving"; // above any pid
    const std::string nested = save_.Path() + "sub/b.txt.999999998-ghijkl.~saving";
    const std::string lookalike = save_.Path() + "notes.~saving.txt";
    for (const std::string& path : {mine, dead, nested, lookalike})
        WriteText(path, "partial");
    TheSaveFolder().SetFolder(save_.Path());
    EXPECT_EQ(Number("file_exists", Str("a.txt")), 0);
    EXPECT_TRUE(std::filesystem::exists(mine)); // its writer is alive
    EXPECT_FALSE(std::filesystem::exists(dead));
    EXPECT_FALSE(std::filesystem::exists(nested));
    EXPECT_TRUE(std::filesystem::exists(lookalike));
}

} // namespace
