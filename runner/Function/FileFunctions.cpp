// The text-file built-ins and the file questions scripts ask, all through the save folder.
#include "Code/Builtins.h"
#include "Function/BuiltinGroups.h"
#include "Platform/FileSystem.h"
#include "Support/SaveFolder.h"
#include "Support/SaveWriter.h"
#include "Support/TextFileSlots.h"
#include "Variable/BuiltinArgs.h"

namespace {

void file_text_open_read(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, TextFiles().OpenRead(ArgString(args, 0)));
}

void file_text_open_write(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, TextFiles().OpenWrite(ArgString(args, 0)));
}

void file_text_close(RValue&, CInstance*, CInstance*, int, RValue* args) {
    TextFiles().Close(ArgInt32(args, 0));
}

void file_text_eof(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, TextFiles().AtEnd(ArgInt32(args, 0)) ? 1 : 0);
}

void file_text_readln(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    MakeString(result, TextFiles().ReadLine(ArgInt32(args, 0)));
}

void file_text_read_string(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    MakeString(result, TextFiles().ReadString(ArgInt32(args, 0)));
}

void file_text_write_string(RValue&, CInstance*, CInstance*, int, RValue* args) {
    // A string is written whole, even past a NUL byte; other kinds in their text form.
    TextFiles().Write(ArgInt32(args, 0),
                      args[1].Kind() == VALUE_STRING ? StringView(args[1]) : ArgString(args, 1));
}

void file_text_writeln(RValue&, CInstance*, CInstance*, int, RValue* args) {
    TextFiles().Write(ArgInt32(args, 0), "\n");
}

void file_exists(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    ResolvedFile resolved = TheSaveFolder().Resolve(ArgString(args, 0));
    // A file still on its way to the disk already exists for the game.
    const bool saving = !resolved.save_path.empty() && Saves().Pending(resolved.save_path);
    SetReal(result,
            saving || IsRegularFile(resolved.save_path) || IsRegularFile(resolved.program_path) ? 1 : 0);
}

void file_delete(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    const std::string path = TheSaveFolder().Resolve(ArgString(args, 0)).save_path;
    Saves().WaitFor(path); // a delete comes after the saves before it
    SetReal(result, RemoveFile(path) ? 1 : 0);
}

} // namespace

void RegisterFileFunctions() {
    RegisterBuiltin("file_text_open_read", file_text_open_read, 1);
    RegisterBuiltin("file_text_open_write", file_text_open_write, 1);
    RegisterBuiltin("file_text_close", file_text_close, 1);
    RegisterBuiltin("file_text_eof", file_text_eof, 1);
    RegisterBuiltin("file_text_readln", file_text_readln, 1);
    RegisterBuiltin("file_text_read_string", file_text_read_string, 1);
    RegisterBuiltin("file_text_write_string", file_text_write_string, 2);
    RegisterBuiltin("file_text_writeln", file_text_writeln, 1);
    RegisterBuiltin("file_exists", file_exists, 1);
    RegisterBuiltin("file_delete", file_delete, 1);
}
