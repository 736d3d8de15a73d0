// Built-ins of objects and events: running events by hand, inheritance, object names.
#include "Code/Builtins.h"
#include "Function/BuiltinGroups.h"
#include "Object/EventDispatch.h"
#include "Object/ObjectTable.h"
#include "Variable/BuiltinArgs.h"
#include "Variable/BuiltinVariableTable.h"

namespace {

void event_inherited_builtin(RValue& result, CInstance* self, CInstance* other, int, RValue*) {
    event_inherited(self, other);
    FreeValue(result);
}

void event_user_builtin(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    event_user(self, other, ArgInt32(args, 0));
    FreeValue(result);
}

void event_perform_builtin(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    event_perform(self, other, ArgInt32(args, 0), ArgInt32(args, 1));
    FreeValue(result);
}

void event_perform_object(RValue& result, CInstance* self, CInstance* other, int, RValue* args) {
    PerformEventObject(self, other, ArgInt32(args, 0), ArgInt32(args, 1), ArgInt32(args, 2));
    FreeValue(result);
}

void object_is_ancestor(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    SetReal(result, Objects().IsAncestor(ArgInt32(args, 0), ArgInt32(args, 1)) ? 1 : 0);
}

void object_get_name(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    const CObject* object = Objects().Find(ArgInt32(args, 0));
    MakeString(result, object ? object->name : std::string_view("<undefined>"));
}

bool GetEventObject(CInstance*, int32_t, RValue* result) {
    SetReal(*result, CurrentEventState().object);
    return true;
}

bool GetEventType(CInstance*, int32_t, RValue* result) {
    SetReal(*result, CurrentEventState().type);
    return true;
}

bool GetEventNumber(CInstance*, int32_t, RValue* result) {
    SetReal(*result, CurrentEventState().number);
    return true;
}

} // namespace

void RegisterObjectFunctions() {
    RegisterBuiltin("event_inherited", event_inherited_builtin, 0);
    RegisterBuiltin("event_user", event_user_builtin, 1);
    RegisterBuiltin("event_perform", event_perform_builtin, 2);
    RegisterBuiltin("event_perform_object", event_perform_object, 3);
    RegisterBuiltin("object_is_ancestor", object_is_ancestor, 2);
    RegisterBuiltin("object_get_name", object_get_name, 1);
}

void RegisterEventVariables() {
    RegisterBuiltinVariable("event_object", GetEventObject, nullptr);
    RegisterBuiltinVariable("event_type", GetEventType, nullptr);
    RegisterBuiltinVariable("event_number", GetEventNumber, nullptr);
}
