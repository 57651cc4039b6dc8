// The class list of a module built without the style: the component frame offers no class.

#include "frame/classfactory.h"

namespace {

void registerNothing() {}

VelModuleClasses s_classes(&registerNothing);

} // namespace
