#include "Code/RunningCode.h"

RunningCode& CurrentRunningCode() {
    static RunningCode current;
    return current;
}
