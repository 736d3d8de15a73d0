// Built-ins of views and cameras: the view variables of the running room (view_enabled, and
// view_visible and view_camera for views 0 to 7, any other index reading view 0), the view
// being drawn (view_current, read-only), the cursor sprite (cursor_sprite) and the camera view
// rectangle's getters and setters. Unknown cameras are ignored.
#include "Code/ArgumentCount.h"
#include "Code/Builtins.h"
#include "Code/ValueConvert.h"
#include "Function/BuiltinGroups.h"
#include "Room/CRoom.h"
#include "Room/CameraTable.h"
#include "Room/RunningRooms.h"
#include "Run/DrawStage.h"
#include "Variable/BuiltinArgs.h"
#include "Variable/BuiltinVariableTable.h"

namespace {

template <float CCamera::*Field>
void GetCameraField(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, -1);
    if (!HasArgumentCount(argc, 1)) return;
    if (const CCamera* camera = GetCamera(ArgInt32(args, 0))) SetReal(result, camera->*Field);
}

template <float CCamera::*First, float CCamera::*Second>
void SetCameraFields(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    if (!HasArgumentCount(argc, 3)) return;
    CCamera* camera = GetCamera(ArgInt32(args, 0));
    if (!camera) return;
    camera->*First = ArgFloat(args, 1);
    camera->*Second = ArgFloat(args, 2);
    camera->changed = true;
}

bool GetViewsEnabled(CInstance*, int32_t, RValue* result) {
    const CRoom* room = CurrentRoom();
    SetReal(*result, room && room->views_enabled ? 1 : 0);
    return true;
}

bool SetViewsEnabled(CInstance*, int32_t, const RValue* value) {
    CRoom* room = CurrentRoom();
    if (!room) return false;
    room->views_enabled = ToBool(*value);
    return true;
}

// The view an array index names in the running room; null while no room runs.
RoomView* ViewAt(int32_t array_index) {
    CRoom* room = CurrentRoom();
    if (!room) return nullptr;
    const bool valid = array_index >= 0 && size_t(array_index) < room->views.size();
    return &room->views[valid ? size_t(array_index) : 0];
}

bool GetViewVisible(CInstance*, int32_t array_index, RValue* result) {
    const RoomView* view = ViewAt(array_index);
    SetReal(*result, view && view->visible ? 1 : 0);
    return true;
}

bool SetViewVisible(CInstance*, int32_t array_index, const RValue* value) {
    RoomView* view = ViewAt(array_index);
    if (!view) return false;
    view->visible = ToBool(*value);
    return true;
}

bool GetViewCamera(CInstance*, int32_t array_index, RValue* result) {
    const RoomView* view = ViewAt(array_index);
    SetReal(*result, view ? view->camera : -1);
    return true;
}

bool SetViewCamera(CInstance*, int32_t array_index, const RValue* value) {
    RoomView* view = ViewAt(array_index);
    if (!view) return false;
    view->camera = ToInt32(*value);
    return true;
}

bool GetViewCurrent(CInstance*, int32_t, RValue* result) {
    SetReal(*result, CurrentView());
    return true;
}

bool GetCursorSprite(CInstance*, int32_t, RValue* result) {
    SetReal(*result, CursorSprite());
    return true;
}

bool SetCursorSprite(CInstance*, int32_t, const RValue* value) {
    CursorSprite() = ToInt32(*value);
    return true;
}

} // namespace

void RegisterCameraFunctions() {
    RegisterBuiltin("camera_get_view_x", GetCameraField<&CCamera::x>, 1);
    RegisterBuiltin("camera_get_view_y", GetCameraField<&CCamera::y>, 1);
    RegisterBuiltin("camera_set_view_pos", SetCameraFields<&CCamera::x, &CCamera::y>, 3);
    RegisterBuiltin("camera_set_view_size", SetCameraFields<&CCamera::width, &CCamera::height>, 3);
}

void RegisterViewVariables() {
    RegisterBuiltinVariable("view_enabled", GetViewsEnabled, SetViewsEnabled);
    RegisterBuiltinVariable("view_visible", GetViewVisible, SetViewVisible);
    RegisterBuiltinVariable("view_camera", GetViewCamera, SetViewCamera);
    RegisterBuiltinVariable("view_current", GetViewCurrent, nullptr);
    RegisterBuiltinVariable("cursor_sprite", GetCursorSprite, SetCursorSprite);
}
