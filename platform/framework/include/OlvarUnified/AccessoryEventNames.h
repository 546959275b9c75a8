// Accessory button events by name, as scenario files and tools press them: "volume-up",
// "make-call-with-digits" and so on, one per operation of AccessoriesEvents.
#pragma once

#include <string>
#include <vector>

#include "OlvarUnified/Api.h"

namespace OlvarUnified {

class AccessoriesEvents;

namespace AccessoryEventNames {

// True when the name is known and the argument suits it: a whole number for
// "set-default-audio-path", "type,value" for "headset-control-update", any text (or none)
// for the others.
OLVAR_API bool accepts(const std::string& name, const std::string& argument);
// Calls the named operation; false, calling nothing, when accepts() is false.
OLVAR_API bool deliver(AccessoriesEvents& events, const std::string& name, const std::string& hardwareId,
                       const std::string& argument);
OLVAR_API std::vector<std::string> all();

}  // namespace AccessoryEventNames
}  // namespace OlvarUnified
