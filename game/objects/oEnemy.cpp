// oEnemy: the parent of enemies (and of presents): hurtful, with a season's greeting that is
// also what an enemy says when it has caught Mireth.
#include "CodeTable.h"
#include "GameNames.h"

void psl_Object_oEnemy_Create_0(CInstance* self, CInstance* other) {
    FrameScope frame("psl_Object_oEnemy_Create_0");
    event_inherited(self, other);
    Assign(Var(self, SLOT_hurtful), Value(1));
    const Value greeting = Call(self, other, FN_choose, Value("Merry"), Value("Happy"), Value("Fluffy"));
    Assign(Var(self, SLOT_die_script),
           greeting + Value(" ") + Call(self, other, FN_choose, Value("Christmas"), Value("Snowtide"), Value("New Year")));
    Assign(Var(self, SLOT_script), Var(self, SLOT_die_script));
}
