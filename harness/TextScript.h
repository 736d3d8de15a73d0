// Text command scripts run as a conversation runs them, for the game's tests and its fuzz target.
#pragma once

#include <string>

#include "CodeTable.h"
#include "GameNames.h"
#include "Object/InstanceLifecycle.h"
#include "scripts/TextCommands.h"

// An oNPC speaking `script` (lines separated by "\n"), prepared, and with the answer list and
// effect map a textbox would have, so that inline commands can run on it.
inline CInstance* MakeSpeaker(const std::string& script) {
    CInstance* npc = CreateInstance(0, 0, 0, oNPC);
    Assign(Var(npc, SLOT_nl), Value("\n"));
    Assign(Var(npc, SLOT_script), Value(script));
    event_user(npc, npc, 0);
    Assign(Var(npc, SLOT_questions), Call(npc, npc, FN_ds_list_create));
    Assign(Var(npc, SLOT_effects), Call(npc, npc, FN_ds_map_create));
    return npc;
}

inline void RemoveSpeaker(CInstance* npc) {
    Call(npc, npc, FN_ds_list_destroy, Var(npc, SLOT_questions));
    Call(npc, npc, FN_ds_map_destroy, Var(npc, SLOT_effects));
    DestroyInstance(npc, true);
    RemoveMarkedInstances();
}

// The text with every "\" and "{" command applied, as a speech box applies them.
inline std::string ApplyTextCommands(CInstance* box, const std::string& text) {
    return ValueText(RunInlineCommands(box, box, Value(text)));
}

// Every dialogue line the script says until it ends or stops, with its inline commands applied,
// joined by "|". At most `budget` lines run, as a script may jump in a circle.
inline std::string Converse(CInstance* npc, int budget = 1000) {
    std::string said;
    for (int run = 0; run < budget && !Value(Var(npc, SLOT_stop)); ++run) {
        RValue& current = Var(npc, SLOT_current_line);
        if (Real(current) >= Real(Call(npc, npc, FN_ds_list_size, Var(npc, SLOT_lines)))) break;
        const Value line = Call(npc, npc, FN_ds_list_find_value, Var(npc, SLOT_lines), current);
        const std::string text = ValueText(CallScript(psl_Script_execute_line, npc, npc, line));
        Assign(Var(npc, SLOT_current_line), Var(npc, SLOT_current_line) + 1);
        if (!text.empty()) said += (said.empty() ? "" : "|") + ApplyTextCommands(npc, text);
    }
    return said;
}
