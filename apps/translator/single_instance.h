// One translator at a time: a mutex named after the program's module path marks the running
// instance; a second start brings that instance's window to the front and ends.
#pragma once
#include <memory>
#include <string>

#include "platform/core/named_mutex.h"

namespace orvale {

// The mutex's name: the module path with backslashes turned into slashes.
std::u16string instanceMutexName(std::u16string modulePath);

// True when this instance goes on starting (holder keeps the mutex); false when a running
// instance's main window was found, up to three times one second apart, and brought to the front.
bool claimSingleInstance(const std::u16string& modulePath, std::unique_ptr<plat::NamedMutex>& holder);

}  // namespace orvale
