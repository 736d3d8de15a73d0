// Modal messages to the player: a plain message (`show_message`) and the error report, whose
// dialog offers Copy, Abort and (for a report that is not fatal) Ignore. The null backend
// writes to stderr and decides at once: Abort for a fatal report, Ignore otherwise.
#pragma once

#include <string>

enum class ErrorChoice { Abort, Ignore };

class MessageDialog {
public:
    virtual ~MessageDialog() = default;
    virtual void ShowMessage(const std::string& caption, const std::string& text) = 0;
    virtual ErrorChoice ShowErrorReport(const std::string& report, bool fatal) = 0;
};

MessageDialog& NullMessageDialog();

// The dialog in use: the null one until the platform layer installs a real one.
MessageDialog& ActiveMessageDialog();
void SetActiveMessageDialog(MessageDialog* dialog);
