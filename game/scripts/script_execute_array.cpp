// script_execute_array(script, array): calls the script with the array's elements as its
// arguments and gives its result; a script takes at most 16 arguments.
#include <array>

#include "CodeTable.h"
#include "GameNames.h"

namespace {

constexpr int kMaxArguments = 16;

} // namespace

RValue* psl_Script_script_execute_array(CInstance* self, CInstance* other, RValue* result, int argc,
                                        RValue** argv) {
    ScriptFrame frame("psl_Script_script_execute_array", result);
    Value elements = Argument(argc, argv, 1);
    const int count = static_cast<int>(Real(Call(self, other, FN_array_length_1d, elements)));
    if (count > kMaxArguments) {
        Call(self, other, FN_show_error,
             Call(self, other, FN_string, Value(count)) +
                 Value(" arguments passed to script_execute_array"),
             Value(1));
        return result;
    }
    // script_execute takes the script first, then its arguments.
    std::array<Value, kMaxArguments + 1> values;
    std::array<RValue*, kMaxArguments + 2> arguments{};
    values[0] = Argument(argc, argv, 0);
    arguments[0] = &values[0];
    for (int i = 0; i < count; ++i) {
        values[size_t(i) + 1] = Element(elements, i);
        arguments[size_t(i) + 1] = &values[size_t(i) + 1];
    }
    CallFunction(self, other, *result, count + 1, FN_script_execute.index, arguments.data());
    return result;
}
