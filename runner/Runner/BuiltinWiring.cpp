#include "Runner/BuiltinWiring.h"

#include "Base/OutputChannel.h"
#include "Font/FontFunctions.h"
#include "Function/BuiltinGroups.h"
#include "Graphics/GraphicsFunctions.h"
#include "IO/GamepadFunctions.h"
#include "IO/InputFunctions.h"
#include "Object/AsyncEvents.h"
#include "Object/InstanceVariables.h"
#include "Sound/AudioFunctions.h"
#include "Sprite/SpriteFunctions.h"
#include "Variable/BuiltinVariableTable.h"

namespace {

using Registrar = void (*)();

// A label and the groups registered after it. Labels of families this runner does not offer
// (high scores, 3D, particles, physics, networking, ...) are still written, so the start-up
// log keeps its familiar shape.
struct GroupRun {
    const char* label;
    Registrar groups[7];
};

constexpr GroupRun kGroupRuns[] = {
    {"HighScore..", {}},
    {"Game..", {RegisterGameFunctions, RegisterObjectFunctions, RegisterInstanceFunctions,
                RegisterRoomFunctions, RegisterWindowFunctions}},
    {"Math..", {RegisterValueFunctions, RegisterStringFunctions, RegisterMathFunctions,
                RegisterRandomFunctions}},
    {"Graphic..", {RegisterSpriteFunctions, RegisterDrawFunctions, RegisterSurfaceFunctions,
                   RegisterBlendFunctions, RegisterFontFunctions, RegisterLayerFunctions,
                   RegisterCameraFunctions}},
    {"Action..", {}},
    {"File..", {RegisterFileFunctions}},
    {"Resource..", {RegisterResourceFunctions}},
    {"Interaction..",
     {RegisterMessageFunctions, RegisterCollisionFunctions, RegisterInputFunctions}},
    {"3D..", {}},
    {"Particle..", {}},
    {"Misc..", {RegisterVariableFunctions}},
    {"DS..", {RegisterDsMapFunctions, RegisterDsListFunctions, RegisterDsGridFunctions,
              RegisterDsStackQueueFunctions, RegisterDsExistsFunction}},
    {"Sound..", {RegisterAudioFunctions}},
    {"Physics..", {}},
    {"Gamepad..", {RegisterGamepadFunctions}},
    {"Buffers..", {}},
    {"Networking..", {}},
    {"Shaders..", {}},
    {"Nimbo..", {}},
};

} // namespace

void RegisterBuiltinFunctions() {
    for (const GroupRun& run : kGroupRuns) {
        DebugOutput().Printf("%s\n", run.label);
        for (Registrar group : run.groups)
            if (group) group();
    }
    DebugOutput().Write("Fini\n");
}

void RegisterBuiltinVariables() {
    RegisterInstanceVariables();
    BuiltinVariables().EndInstanceVariables();
    RegisterGameVariables();
    RegisterEventVariables();
    RegisterRoomVariables();
    RegisterViewVariables();
    RegisterInputVariables();
    RegisterAsyncVariables();
}
