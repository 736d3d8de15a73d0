// Getters and setters of the per-instance built-in variables. Reached through anything that
// is not an instance (the global object), they read and write nothing.
#include "Object/InstanceVariables.h"

#include <cmath>

#include "Code/ValueConvert.h"
#include "Object/BoundingBox.h"
#include "Object/InstanceLifecycle.h"
#include "Object/Motion.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"
#include "Variable/BuiltinVariableTable.h"
#include "Variable/CInstance.h"

namespace {

template <float CInstance::*Field>
bool GetFloat(CInstance* self, int32_t, RValue* result) {
    if (!self) return false;
    SetReal(*result, self->*Field);
    return true;
}

void Nothing(CInstance&) {}

// Plain fields; `Then` keeps what depends on the field in step.
template <float CInstance::*Field, void (*Then)(CInstance&) = Nothing>
bool SetFloat(CInstance* self, int32_t, const RValue* value) {
    if (!self) return false;
    self->*Field = float(ToReal(*value));
    Then(*self);
    return true;
}

template <int32_t CInstance::*Field>
bool GetInt(CInstance* self, int32_t, RValue* result) {
    if (!self) return false;
    SetReal(*result, self->*Field);
    return true;
}

void MarkBoxDirty(CInstance& self) { self.MarkBoxDirty(); }

template <int32_t CInstance::*Field>
bool SetIntMovingBox(CInstance* self, int32_t, const RValue* value) {
    if (!self) return false;
    self->*Field = ToInt32(*value);
    self->MarkBoxDirty();
    return true;
}

template <uint32_t Flag>
bool GetFlag(CInstance* self, int32_t, RValue* result) {
    if (!self) return false;
    SetReal(*result, self->Has(Flag) ? 1 : 0);
    return true;
}

template <uint32_t Flag>
bool SetFlag(CInstance* self, int32_t, const RValue* value) {
    if (!self) return false;
    self->SetFlag(Flag, ToBool(*value));
    return true;
}

bool SetX(CInstance* self, int32_t, const RValue* value) {
    if (!self) return false;
    self->MoveTo(float(ToReal(*value)), self->y);
    return true;
}

bool SetY(CInstance* self, int32_t, const RValue* value) {
    if (!self) return false;
    self->MoveTo(self->x, float(ToReal(*value)));
    return true;
}

bool SetDepth(CInstance* self, int32_t, const RValue* value) {
    if (!self) return false;
    SetInstanceDepth(self, float(ToReal(*value)));
    return true;
}

size_t AlarmIndex(int32_t array_index) {
    return array_index >= 0 && array_index < ALARM_COUNT ? size_t(array_index) : 0;
}

bool GetAlarm(CInstance* self, int32_t array_index, RValue* result) {
    if (!self) return false;
    SetReal(*result, self->alarm[AlarmIndex(array_index)]);
    return true;
}

bool SetAlarm(CInstance* self, int32_t array_index, const RValue* value) {
    if (!self) return false;
    self->alarm[AlarmIndex(array_index)] = int32_t(std::floor(ToReal(*value)));
    return true;
}

bool GetImageBlend(CInstance* self, int32_t, RValue* result) {
    if (!self) return false;
    SetReal(*result, self->image_blend);
    return true;
}

bool SetImageBlend(CInstance* self, int32_t, const RValue* value) {
    if (!self) return false;
    self->image_blend = uint32_t(ToInt64(*value));
    return true;
}

// The sprite's size scaled as the instance draws it, and its origin.
template <int32_t Which>
bool GetSpriteMeasure(CInstance* self, int32_t, RValue* result) {
    if (!self) return false;
    const CSprite* sprite = GetSprite(self->sprite_index);
    double measure = 0;
    if (sprite) {
        if constexpr (Which == 0) measure = sprite->Width() * double(self->image_xscale);
        if constexpr (Which == 1) measure = sprite->Height() * double(self->image_yscale);
        if constexpr (Which == 2) measure = sprite->OriginX();
        if constexpr (Which == 3) measure = sprite->OriginY();
    }
    SetReal(*result, measure);
    return true;
}

template <int32_t CInstance::Box::*Side>
bool GetBoxSide(CInstance* self, int32_t, RValue* result) {
    if (!self) return false;
    UpdateBoundingBox(*self);
    SetReal(*result, self->bbox.*Side);
    return true;
}

} // namespace

void RegisterInstanceVariables() {
    RegisterBuiltinVariable("x", GetFloat<&CInstance::x>, SetX);
    RegisterBuiltinVariable("y", GetFloat<&CInstance::y>, SetY);
    RegisterBuiltinVariable("xprevious", GetFloat<&CInstance::xprevious>, SetFloat<&CInstance::xprevious>);
    RegisterBuiltinVariable("yprevious", GetFloat<&CInstance::yprevious>, SetFloat<&CInstance::yprevious>);
    RegisterBuiltinVariable("xstart", GetFloat<&CInstance::xstart>, SetFloat<&CInstance::xstart>);
    RegisterBuiltinVariable("ystart", GetFloat<&CInstance::ystart>, SetFloat<&CInstance::ystart>);
    RegisterBuiltinVariable("hspeed", GetFloat<&CInstance::hspeed>, SetFloat<&CInstance::hspeed, PolarFromMotion>);
    RegisterBuiltinVariable("vspeed", GetFloat<&CInstance::vspeed>, SetFloat<&CInstance::vspeed, PolarFromMotion>);
    RegisterBuiltinVariable("direction", GetFloat<&CInstance::direction>,
                            SetFloat<&CInstance::direction, MotionFromPolar>);
    RegisterBuiltinVariable("speed", GetFloat<&CInstance::speed>, SetFloat<&CInstance::speed, MotionFromPolar>);
    RegisterBuiltinVariable("friction", GetFloat<&CInstance::friction>, SetFloat<&CInstance::friction>);
    RegisterBuiltinVariable("gravity", GetFloat<&CInstance::gravity>, SetFloat<&CInstance::gravity>);
    RegisterBuiltinVariable("gravity_direction", GetFloat<&CInstance::gravity_direction>,
                            SetFloat<&CInstance::gravity_direction>);
    RegisterBuiltinVariable("id", GetInt<&CInstance::id>, nullptr);
    RegisterBuiltinVariable("object_index", GetInt<&CInstance::object_index>, nullptr);
    RegisterBuiltinVariable("solid", GetFlag<INSTANCE_FLAG_SOLID>, SetFlag<INSTANCE_FLAG_SOLID>);
    RegisterBuiltinVariable("visible", GetFlag<INSTANCE_FLAG_VISIBLE>, SetFlag<INSTANCE_FLAG_VISIBLE>);
    RegisterBuiltinVariable("persistent", GetFlag<INSTANCE_FLAG_PERSISTENT>, SetFlag<INSTANCE_FLAG_PERSISTENT>);
    RegisterBuiltinVariable("depth", GetFloat<&CInstance::depth>, SetDepth);
    RegisterBuiltinVariable("alarm", GetAlarm, SetAlarm);
    RegisterBuiltinVariable("sprite_index", GetInt<&CInstance::sprite_index>,
                            SetIntMovingBox<&CInstance::sprite_index>);
    RegisterBuiltinVariable("mask_index", GetInt<&CInstance::mask_index>, SetIntMovingBox<&CInstance::mask_index>);
    RegisterBuiltinVariable("image_index", GetFloat<&CInstance::image_index>, SetFloat<&CInstance::image_index>);
    RegisterBuiltinVariable("image_speed", GetFloat<&CInstance::image_speed>, SetFloat<&CInstance::image_speed>);
    RegisterBuiltinVariable("image_xscale", GetFloat<&CInstance::image_xscale>,
                            SetFloat<&CInstance::image_xscale, MarkBoxDirty>);
    RegisterBuiltinVariable("image_yscale", GetFloat<&CInstance::image_yscale>,
                            SetFloat<&CInstance::image_yscale, MarkBoxDirty>);
    RegisterBuiltinVariable("image_angle", GetFloat<&CInstance::image_angle>,
                            SetFloat<&CInstance::image_angle, MarkBoxDirty>);
    RegisterBuiltinVariable("image_alpha", GetFloat<&CInstance::image_alpha>, SetFloat<&CInstance::image_alpha>);
    RegisterBuiltinVariable("image_blend", GetImageBlend, SetImageBlend);
    RegisterBuiltinVariable("sprite_width", GetSpriteMeasure<0>, nullptr);
    RegisterBuiltinVariable("sprite_height", GetSpriteMeasure<1>, nullptr);
    RegisterBuiltinVariable("sprite_xoffset", GetSpriteMeasure<2>, nullptr);
    RegisterBuiltinVariable("sprite_yoffset", GetSpriteMeasure<3>, nullptr);
    RegisterBuiltinVariable("bbox_left", GetBoxSide<&CInstance::Box::left>, nullptr);
    RegisterBuiltinVariable("bbox_top", GetBoxSide<&CInstance::Box::top>, nullptr);
    RegisterBuiltinVariable("bbox_right", GetBoxSide<&CInstance::Box::right>, nullptr);
    RegisterBuiltinVariable("bbox_bottom", GetBoxSide<&CInstance::Box::bottom>, nullptr);
}
