#pragma once
// The queryInterface of a host service: its own class, then the one service interface it offers, under
// the name that interface is looked up by.

#include "runtime/iptr.h"
#include "runtime/velobject.h"

template <class Interface, class Service>
bool velQueryService(Service* service, const char* className, const char* name, void* outOrWalk) {
    if (velCheckClass(name, outOrWalk, className, service, static_cast<IVelUnknown*>(service)))
        return true;
    return velCheckInterface(name, outOrWalk, VelInterfaceName<Interface>::value,
                             static_cast<Interface*>(service));
}
