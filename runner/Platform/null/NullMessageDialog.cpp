#include <cstdio>

#include "Platform/MessageDialog.h"

namespace {

class NullDialog final : public MessageDialog {
public:
    void ShowMessage(const std::string& caption, const std::string& text) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }

    ErrorChoice ShowErrorReport(const std::string& report, bool fatal) override {
        std::fputs(report.c_str(), stderr);
        std::fflush(stderr);
        return fatal ? ErrorChoice::Abort : ErrorChoice::Ignore;
    }
};

} // namespace

MessageDialog& NullMessageDialog() {
    static NullDialog dialog;
    return dialog;
}
