// The classes this module offers, registered by the first initialize of a component.

#include "frame/classfactory.h"
#include "style/melvorostyle.h"

namespace {

// Each class of the module: velRegisterClass<Class>("Class", classId()); one line per class.
void registerClasses() {
    velRegisterClass<MelvoroStyle>("MelvoroStyle", melvoroStyleClassId());
}

VelModuleClasses s_classes(&registerClasses);

} // namespace
