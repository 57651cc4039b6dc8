#pragma once
// TestHostContext: the host context of the test programs. The reference host's context where the host
// framework is built; built without Qt, the plain context that keeps services and counts the same way.

#if defined(MELVORO_RUNTIME_ONLY)
#include "plainhostcontext.h"
using TestHostContext = PlainHostContext;
#else
#include "host/hostcontext.h"
using TestHostContext = VelHostContext;
#endif
