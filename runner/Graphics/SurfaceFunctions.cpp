// Surfaces and the target stack, as built-ins, with the runner's messages.
#include "Graphics/GraphicsFunctions.h"
#include "Variable/BuiltinArgs.h"

namespace {

const Surface* SurfaceToDraw(GraphicsContext& graphics, int32_t id) {
    const Surface* surface = graphics.Targets().Find(id);
    if (!surface) ShowError("Trying to use non-existing surface.", false);
    return surface;
}

void surface_create(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetReal(result, -1);
    GraphicsContext* graphics = GraphicsForCall(argc, 2);
    if (!graphics) return;
    const int32_t width = ArgInt32(args, 0), height = ArgInt32(args, 1);
    if (width == 0 || height == 0) {
        RaiseRuntimeError("Can't create a surface with either a width or height of 0");
        return;
    }
    SetReal(result, graphics->Targets().Create(width, height));
}

void surface_exists(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 1);
    SetBool(result, graphics && graphics->Targets().Find(ArgInt32(args, 0)));
}

void surface_free(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 1);
    if (!graphics) return;
    const int32_t id = ArgInt32(args, 0);
    if (graphics->Targets().OnStack(id)) {
        ShowError("Surface in use via surface_set_target(). It can not be freed until it has been "
                  "removed from the surface stack.",
                  false);
        return;
    }
    graphics->Targets().Free(id);
}

void surface_set_target(RValue& result, CInstance*, CInstance*, int argc, RValue* args) {
    SetBool(result, false);
    GraphicsContext* graphics = GraphicsForCall(argc, 1);
    if (!graphics) return;
    switch (graphics->Targets().Push(ArgInt32(args, 0))) {
    case RenderTargets::PushResult::Pushed: SetBool(result, true); return;
    case RenderTargets::PushResult::Missing:
        ShowError("Trying to set a surface target that does not exist.", false);
        return;
    case RenderTargets::PushResult::Full:
        ShowError("surface stack is full - ensure surface_reset_target() is called for each "
                  "surface_set_target().",
                  false);
        return;
    }
}

void surface_reset_target(RValue& result, CInstance*, CInstance*, int argc, RValue*) {
    SetBool(result, false);
    GraphicsContext* graphics = GraphicsForCall(argc, 0);
    if (!graphics) return;
    if (!graphics->Targets().Pop()) {
        ShowError(
            "Unbalanced surface stack. you are trying to pop a surface that has not been set.",
            false);
        return;
    }
    SetBool(result, true);
}

void draw_surface(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 3);
    if (!graphics) return;
    const Surface* surface = SurfaceToDraw(*graphics, ArgInt32(args, 0));
    if (!surface) return;
    graphics->DrawImage(surface->Image(), 0, 0, {ArgFloat(args, 1), ArgFloat(args, 2)},
                        VertexColour(kWhiteColour, graphics->Alpha()));
}

void draw_surface_ext(RValue&, CInstance*, CInstance*, int argc, RValue* args) {
    GraphicsContext* graphics = GraphicsForCall(argc, 8);
    if (!graphics) return;
    const Surface* surface = SurfaceToDraw(*graphics, ArgInt32(args, 0));
    if (!surface) return;
    const Placement placement{ArgFloat(args, 1), ArgFloat(args, 2), ArgFloat(args, 3),
                              ArgFloat(args, 4), ArgFloat(args, 5)};
    graphics->DrawImage(surface->Image(), 0, 0, placement,
                        VertexColour(ArgUInt32(args, 6), ArgReal(args, 7)));
}

} // namespace

void RegisterSurfaceFunctions() {
    RegisterBuiltin("surface_create", surface_create, 2);
    RegisterBuiltin("surface_exists", surface_exists, 1);
    RegisterBuiltin("surface_free", surface_free, 1);
    RegisterBuiltin("surface_set_target", surface_set_target, 1);
    RegisterBuiltin("surface_reset_target", surface_reset_target, 0);
    RegisterBuiltin("draw_surface", draw_surface, 3);
    RegisterBuiltin("draw_surface_ext", draw_surface_ext, 8);
}
