// The gamepad built-ins and the gp_* constants.
#pragma once

void RegisterGamepadFunctions();
