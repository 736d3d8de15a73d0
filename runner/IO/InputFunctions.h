// The keyboard and mouse built-ins (with the key and button constants) and variables.
#pragma once

void RegisterInputFunctions();
void RegisterInputVariables();
