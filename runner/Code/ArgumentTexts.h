// The texts made for a built-in call's arguments (a number read as text) live until the call
// returns: the call opens a scope, and the scope's end frees what was kept within it.
#pragma once

#include <cstddef>
#include <string>

class ArgumentTextScope {
public:
    ArgumentTextScope();
    ~ArgumentTextScope();
    ArgumentTextScope(const ArgumentTextScope&) = delete;
    ArgumentTextScope& operator=(const ArgumentTextScope&) = delete;

private:
    size_t mark_;
};

// Keeps the text until the innermost scope ends; its characters stay where they are.
const char* KeepArgumentText(std::string text);
