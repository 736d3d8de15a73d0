// The SDL message boxes and clipboard.
#pragma once

#include "Platform/Clipboard.h"
#include "Platform/MessageDialog.h"

class SdlClipboard final : public Clipboard {
public:
    void SetText(const std::string& text) override;
    std::string GetText() override;
};

// The error report offers Copy (to the clipboard, then the report again), Abort and, for a
// report that is not fatal, Ignore.
class SdlMessageDialog final : public MessageDialog {
public:
    explicit SdlMessageDialog(Clipboard& clipboard) : clipboard_(clipboard) {}
    void ShowMessage(const std::string& caption, const std::string& text) override;
    ErrorChoice ShowErrorReport(const std::string& report, bool fatal) override;

private:
    Clipboard& clipboard_;
};
