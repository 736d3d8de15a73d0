#include "Package/GameLink.h"

#include "Code/FunctionIndex.h"

namespace {

GameLink g_link;
VariablePair g_no_variables[] = {{nullptr, 0}};
FunctionPair g_no_functions[] = {{nullptr, 0}};

} // namespace

void LinkGame(const GameLink& link) {
    g_link = link;
    if (!g_link.variables) g_link.variables = g_no_variables;
    if (!g_link.functions) g_link.functions = g_no_functions;
    SetCodeTable(link.code, link.code_count);
}

const GameLink& LinkedGame() { return g_link; }

void ResolveGameNames() {
    for (FunctionPair* pair = g_link.functions; pair && pair->name; ++pair)
        pair->index = FindFunction(pair->name);
    if (g_link.variables) ResolveGameVariables(g_link.variables);
}
