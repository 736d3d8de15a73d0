#include "Code/ArgumentTexts.h"

#include <deque>

namespace {

// A deque keeps every text in place while later ones are added.
std::deque<std::string> g_texts;

} // namespace

ArgumentTextScope::ArgumentTextScope() : mark_(g_texts.size()) {}

ArgumentTextScope::~ArgumentTextScope() { g_texts.resize(mark_); }

const char* KeepArgumentText(std::string text) { return g_texts.emplace_back(std::move(text)).c_str(); }
