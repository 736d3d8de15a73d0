// The built-in families of this folder; the start-up wires them with the families that sit in
// the subsystems' own folders.
#pragma once

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
void RegisterFileFunctions();
void RegisterDsMapFunctions();
void RegisterDsListFunctions();
void RegisterDsGridFunctions();
void RegisterDsStackQueueFunctions();
void RegisterDsExistsFunction();
