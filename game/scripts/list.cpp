// list_create(value...): a new list holding the arguments in order.
#include "CodeTable.h"
#include "GameNames.h"

RValue* psl_Script_list_create(CInstance* self, CInstance* other, RValue* result, int argc, RValue** argv) {
    ScriptFrame frame("psl_Script_list_create", result);
    const Value list = Call(self, other, FN_ds_list_create);
    for (int i = 0; i < argc; ++i)
        Call(self, other, FN_ds_list_add, list, Value(*argv[i]));
    Assign(*result, list);
    return result;
}
