// The plain runner: runs a package with no compiled game linked in (a package whose code
// entries name functions is refused as not matching).
#include "Runner/RunnerMain.h"

int main(int argc, char** argv) { return RunnerMain(argc, argv, GameLink{}); }
