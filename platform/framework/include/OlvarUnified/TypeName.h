// Registry key of an interface: its qualified C++ name ("OlvarUnified::MediaDeviceService").
#pragma once

#include <string>
#include <typeinfo>

#include "OlvarUnified/Api.h"

namespace OlvarUnified {

OLVAR_API std::string demangledTypeName(const std::type_info& type);

template <class Interface>
const std::string& unifiedTypeName() {
    static const std::string name = demangledTypeName(typeid(Interface));
    return name;
}

}  // namespace OlvarUnified
