#include "Platform/MessageDialog.h"

namespace {

MessageDialog* g_active = nullptr;

} // namespace

MessageDialog& ActiveMessageDialog() { return g_active ? *g_active : NullMessageDialog(); }

void SetActiveMessageDialog(MessageDialog* dialog) { g_active = dialog; }
