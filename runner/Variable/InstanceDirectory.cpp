// The active instance directory and the empty one used before the object model installs its.
#include "Variable/InstanceDirectory.h"

namespace {

class EmptyInstanceDirectory final : public InstanceDirectory {
public:
    CInstance* FindInstance(int32_t) const override { return nullptr; }
    InstanceList ActiveInstances() const override { return {}; }
    InstanceList InstancesOfObject(int32_t) const override { return {}; }
    const char* ObjectName(int32_t) const override { return "<undefined>"; }
};

EmptyInstanceDirectory g_empty_directory;
InstanceDirectory* g_directory = &g_empty_directory;

} // namespace

InstanceDirectory& Instances() { return *g_directory; }

void SetInstanceDirectory(InstanceDirectory* directory) {
    g_directory = directory ? directory : &g_empty_directory;
}
