// The built-in function families, registered group by group at start-up in a fixed order;
// each group's label goes to the debug output before it.
#pragma once

// Registers every group in order, then writes "Fini".
void RegisterBuiltinFunctions();
// The built-in variables: the per-instance ones first, then the global ones.
void RegisterBuiltinVariables();

void RegisterGameFunctions();
void RegisterGameVariables();
void RegisterObjectFunctions();
void RegisterEventVariables();
void RegisterInstanceFunctions();
void RegisterCollisionFunctions();
void RegisterRoomFunctions();
void RegisterWindowFunctions();
void RegisterRoomVariables();
void RegisterViewVariables();
void RegisterLayerFunctions();
void RegisterCameraFunctions();
void RegisterValueFunctions();
void RegisterStringFunctions();
void RegisterMathFunctions();
void RegisterRandomFunctions();
void RegisterResourceFunctions();
void RegisterVariableFunctions();
void RegisterMessageFunctions();
void RegisterInputFunctions();
void RegisterInputVariables();
void RegisterGamepadFunctions();
void RegisterAsyncVariables();
void RegisterFileFunctions();
void RegisterDsMapFunctions();
void RegisterDsListFunctions();
void RegisterDsGridFunctions();
void RegisterDsStackQueueFunctions();
void RegisterDsExistsFunction();
void RegisterAudioFunctions();
