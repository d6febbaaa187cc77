// Carries out the registry part of the apply step on the real registry.
#pragma once

#include <windows.h>

#include <vector>

#include "settings/apply_step.h"

namespace pathorama::settings::win32 {

struct RegistryRoots {
  HKEY currentUser = HKEY_CURRENT_USER;
  HKEY localMachine = HKEY_LOCAL_MACHINE;
};

// In order. A missing key or value counts as removed. Operations marked
// best-effort (machine-wide values of earlier releases) are tried in both
// registry views and may fail silently (no rights). Returns false when an
// operation that is not best-effort failed; the rest still run. `roots` lets
// a test redirect both roots to scratch keys.
bool ExecuteRegistryOperations(const std::vector<RegistryOperation>& operations,
                               const RegistryRoots& roots = {});

}  // namespace pathorama::settings::win32
