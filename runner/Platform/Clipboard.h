// The system clipboard (the error report's Copy button). The null backend keeps the text.
#pragma once

#include <string>

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual std::string GetText() = 0;
};
