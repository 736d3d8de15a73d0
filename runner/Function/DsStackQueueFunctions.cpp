// The stack and queue built-ins.
#include <memory>

#include "Code/Builtins.h"
#include "Function/BuiltinGroups.h"
#include "Support/CDS_Queue.h"
#include "Support/CDS_Stack.h"
#include "Support/DsOperations.h"
#include "Support/DsState.h"
#include "Variable/BuiltinArgs.h"

namespace {

CDS_Stack* StackArg(const RValue* args) {
    return DsStacks().Get(ArgInt32(args, 0));
}
CDS_Queue* QueueArg(const RValue* args) {
    return DsQueues().Get(ArgInt32(args, 0));
}

void ds_stack_create(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetReal(result, DsStackCreate());
}

void ds_stack_destroy(RValue&, CInstance*, CInstance*, int, RValue* args) {
    if (StackArg(args)) DsStacks().Take(ArgInt32(args, 0));
}

void ds_stack_push(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    DsStackPush(ArgInt32(args, 0), argc - 1, args + 1);
}

void ds_stack_pop(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    DsStackPop(ArgInt32(args, 0), result);
}

void ds_stack_top(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    CDS_Stack* stack = StackArg(args);
    if (const RValue* top = stack ? stack->Top() : nullptr) CopyValue(result, *top);
}

void ds_stack_size(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (CDS_Stack* stack = StackArg(args)) SetReal(result, stack->Count());
}

void ds_stack_empty(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (CDS_Stack* stack = StackArg(args)) SetReal(result, stack->Count() == 0 ? 1 : 0);
}

void ds_queue_create(RValue& result, CInstance*, CInstance*, int, RValue*) {
    SetReal(result, DsQueues().Add(std::make_unique<CDS_Queue>()));
}

void ds_queue_destroy(RValue&, CInstance*, CInstance*, int, RValue* args) {
    if (QueueArg(args)) DsQueues().Take(ArgInt32(args, 0));
}

void ds_queue_enqueue(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    CDS_Queue* queue = QueueArg(args);
    if (!queue) return;
    for (int i = 1; i < argc; ++i)
        queue->Enqueue(args[i]);
}

void ds_queue_dequeue(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    if (CDS_Queue* queue = QueueArg(args)) queue->Dequeue(result);
}

void ds_queue_head(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    CDS_Queue* queue = QueueArg(args);
    if (const RValue* head = queue ? queue->Head() : nullptr) CopyValue(result, *head);
}

} // namespace

void RegisterDsStackQueueFunctions() {
    RegisterBuiltin("ds_stack_create", ds_stack_create, 0);
    RegisterBuiltin("ds_stack_destroy", ds_stack_destroy, 1);
    RegisterBuiltin("ds_stack_push", ds_stack_push, BUILTIN_VARIADIC);
    RegisterBuiltin("ds_stack_pop", ds_stack_pop, 1);
    RegisterBuiltin("ds_stack_top", ds_stack_top, 1);
    RegisterBuiltin("ds_stack_size", ds_stack_size, 1);
    RegisterBuiltin("ds_stack_empty", ds_stack_empty, 1);
    RegisterBuiltin("ds_queue_create", ds_queue_create, 0);
    RegisterBuiltin("ds_queue_destroy", ds_queue_destroy, 1);
    RegisterBuiltin("ds_queue_enqueue", ds_queue_enqueue, BUILTIN_VARIADIC);
    RegisterBuiltin("ds_queue_dequeue", ds_queue_dequeue, 1);
    RegisterBuiltin("ds_queue_head", ds_queue_head, 1);
}
