// The registry operations of registry.h on Windows: each is one platform call.
#include <windows.h>

#include "registry.h"

static_assert(kRegDword == REG_DWORD, "registry type code");

namespace {
HKEY AsHkey(RegistryKey key) {
  return reinterpret_cast<HKEY>(key);
}
}  // namespace

bool RegistryOpenForQuery(const char* path, RegistryKey* key) {
  HKEY opened;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) {
    return false;
  }
  *key = reinterpret_cast<RegistryKey>(opened);
  return true;
}

bool RegistryCreate(const char* path, RegistryKey* key) {
  HKEY created;
  if (RegCreateKeyA(HKEY_LOCAL_MACHINE, path, &created) != ERROR_SUCCESS) return false;
  *key = reinterpret_cast<RegistryKey>(created);
  return true;
}

bool RegistryQuery(RegistryKey key, const char* name, void* data, std::uint32_t size) {
  DWORD length = size;
  return RegQueryValueExA(AsHkey(key), name, nullptr, nullptr, static_cast<BYTE*>(data), &length) ==
         ERROR_SUCCESS;
}

bool RegistrySet(RegistryKey key, const char* name, std::uint32_t type, const void* data,
                 std::uint32_t size) {
  return RegSetValueExA(AsHkey(key), name, 0, type, static_cast<const BYTE*>(data), size) ==
         ERROR_SUCCESS;
}

void RegistryClose(RegistryKey key) {
  RegCloseKey(AsHkey(key));
}

bool SameTextIgnoringCase(const char* a, const char* b) {
  return lstrcmpiA(a, b) == 0;
}
