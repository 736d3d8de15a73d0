// An object that holds script variables in a variable map created on first use: instances,
// the global object and method objects. Variables are addressed by slot number; a slot that
// was never written reads as the object's default kind (unset).
#pragma once

#include <cstdint>
#include <memory>

#include "Variable/CInstanceBase.h"
#include "Variable/VariableMap.h"

class CInstance;

class KxObjectBase : public CInstanceBase {
public:
    explicit KxObjectBase(int32_t slots) : slot_count(slots) {}
    ~KxObjectBase() override;

    RValue* FindOrCreateVariable(int32_t slot) override;
    // The cell of variable `slot`, or null when it was never created.
    RValue* FindSlot(int32_t slot) const { return variables_ ? variables_->Find(slot) : nullptr; }
    // Null when the object has no variable yet.
    const VariableMap* Variables() const { return variables_.get(); }
    // Releases every variable's value and returns its cell to the slot pool.
    void ClearVariables();

    // Built-in variables read and write instance fields: they are given this, or null.
    virtual CInstance* AsInstance() { return nullptr; }
    // A callable method object names itself "method" rather than "object".
    virtual bool IsMethod() const { return false; }
    // What a built-in reading a number gets for this object: an instance's id, a method's
    // function index.
    virtual double NumberValue() const { return 0; }

    int32_t slot_count; // variables the object may hold; reads find nothing when 0 or less
    uint32_t default_kind = VALUE_UNSET;

private:
    std::unique_ptr<VariableMap> variables_;
};
