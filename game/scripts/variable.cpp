// Variables by name for the text command language: "name" of the speaking instance,
// "global.name", "<instance id>.name" and "<object>.name". Names starting with "flag" need no
// declaration: unset, they read as false.
#include <string>

#include "CodeTable.h"
#include "GameNames.h"

namespace {

// A name split at its first dot: the scope before it (none for a plain name) and the name.
struct Reference {
    bool dotted;
    std::string scope;
    std::string name;
};

Reference Resolve(CInstance* self, CInstance* other, const RValue& text) {
    if (!Call(self, other, FN_string_pos, Value("."), text)) return {false, "", ValueText(text)};
    Value parts = CallScript(psl_Script_string_split_once, self, other, text, Value("."));
    return {true, ValueText(Element(parts, 0)), ValueText(Element(parts, 1))};
}

bool IsInstanceId(const std::string& scope) {
    return !scope.empty() && scope[0] >= '0' && scope[0] <= '9';
}

// The object a scope names, or -1. Only names of assets count: a miss must not become one of
// the negative targets (self, other, all).
int32_t ObjectOf(CInstance* self, CInstance* other, const std::string& scope) {
    return static_cast<int32_t>(Real(Call(self, other, FN_asset_get_index, Value(scope))));
}

Value InstanceId(CInstance* self) {
    return BuiltinVar(self, VAR_id);
}

} // namespace

// variable_get(name): the value the name refers to; "true" and "false" are 1 and 0. A name that
// refers to nothing is fatal, and reads as 0 should the game go on.
RValue* psl_Script_variable_get(CInstance* self, CInstance* other, RValue* result, int argc,
                                RValue** argv) {
    ScriptFrame frame("psl_Script_variable_get", result);
    const RValue& text = Argument(argc, argv, 0);
    const std::string whole = ValueText(text);
    if (whole == "true" || whole == "false") {
        Assign(*result, Value(whole == "true" ? 1 : 0));
        return result;
    }
    const Reference ref = Resolve(self, other, text);
    const Value name(ref.name);
    Value value;
    if (!ref.dotted) {
        value = Call(self, other, FN_variable_instance_get, InstanceId(self), name);
    } else if (ref.scope == "global") {
        value = Call(self, other, FN_variable_global_get, name);
    } else if (IsInstanceId(ref.scope)) {
        value = Call(self, other, FN_variable_instance_get,
                     Call(self, other, FN_real, Value(ref.scope)), name);
    } else if (const int32_t object = ObjectOf(self, other, ref.scope); object >= 0) {
        const Value first = Call(self, other, FN_instance_find, Value(object), Value(0));
        value = Call(self, other, FN_variable_instance_get, first, name);
    }
    if (Call(self, other, FN_is_undefined, value)) {
        if (!ref.name.starts_with("flag"))
            Call(self, other, FN_show_error,
                 Value("Undefined variable ") + text + Value(" encountered in expression."),
                 Value(1));
        value = Value(0);
    }
    Assign(*result, value);
    return result;
}

// variable_set(name, value): writes where variable_get reads; "<object>.name" writes every
// instance of the object.
RValue* psl_Script_variable_set(CInstance* self, CInstance* other, RValue* result, int argc,
                                RValue** argv) {
    ScriptFrame frame("psl_Script_variable_set", result);
    const Reference ref = Resolve(self, other, Argument(argc, argv, 0));
    const Value name(ref.name);
    const RValue& value = Argument(argc, argv, 1);
    if (!ref.dotted) {
        Call(self, other, FN_variable_instance_set, InstanceId(self), name, value);
    } else if (ref.scope == "global") {
        Call(self, other, FN_variable_global_set, name, value);
    } else if (IsInstanceId(ref.scope)) {
        Call(self, other, FN_variable_instance_set, Call(self, other, FN_real, Value(ref.scope)),
             name, value);
    } else if (const int32_t object = ObjectOf(self, other, ref.scope); object >= 0) {
        With(self, other, object, [&](CInstance* instance, CInstance*) {
            Call(instance, self, FN_variable_instance_set, InstanceId(instance), name, value);
        });
    }
    return result;
}
