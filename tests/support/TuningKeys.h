#pragma once
// Every registry value an apply can touch, on either family, kept in a
// snapshot so a test (or benchmark) on a real registry can put it all back.
#include <string>
#include <vector>

#include "support/RegistrySnapshot.h"

namespace tw::test {

// Keeps the tuning values of both layouts, of every adapter there now and of
// the adapter ids the caller is about to create, and the record of the last change.
void KeepTuningKeys(RegistrySnapshot& snapshot, IRegistry& registry,
                    const std::vector<std::string>& newInterfaceIds = {},
                    const std::vector<std::string>& newNetTransIds = {});

}  // namespace tw::test
