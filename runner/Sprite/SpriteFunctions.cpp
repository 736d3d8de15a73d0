// The sprite built-ins, reading and moving the records of the sprite table.
#include "Sprite/SpriteFunctions.h"

#include "Code/Builtins.h"
#include "Sprite/CSprite.h"
#include "Sprite/SpriteTable.h"
#include "Variable/BuiltinArgs.h"

namespace {

CSprite* SpriteArg(const RValue* args) {
    return GetSprite(ArgInt32(args, 0));
}

// A getter of one number, 0 for a missing sprite.
template <auto Field>
void GetNumber(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    const CSprite* sprite = SpriteArg(args);
    SetReal(result, sprite ? static_cast<double>((sprite->*Field)()) : 0.0);
}

void sprite_get_name(RValue& result, CInstance*, CInstance*, int, RValue* args) {
    const CSprite* sprite = SpriteArg(args);
    MakeString(result, sprite ? std::string_view(sprite->Name()) : "<undefined>");
}

void sprite_set_offset(RValue&, CInstance*, CInstance*, int, RValue* args) {
    if (CSprite* sprite = SpriteArg(args)) sprite->SetOrigin(ArgInt32(args, 1), ArgInt32(args, 2));
}

} // namespace

void RegisterSpriteFunctions() {
    RegisterBuiltin("sprite_get_number", GetNumber<&CSprite::FrameCount>, 1);
    RegisterBuiltin("sprite_get_width", GetNumber<&CSprite::Width>, 1);
    RegisterBuiltin("sprite_get_height", GetNumber<&CSprite::Height>, 1);
    RegisterBuiltin("sprite_get_xoffset", GetNumber<&CSprite::OriginX>, 1);
    RegisterBuiltin("sprite_get_yoffset", GetNumber<&CSprite::OriginY>, 1);
    RegisterBuiltin("sprite_get_speed", GetNumber<&CSprite::Speed>, 1);
    RegisterBuiltin("sprite_get_name", sprite_get_name, 1);
    RegisterBuiltin("sprite_set_offset", sprite_set_offset, 3);
}
