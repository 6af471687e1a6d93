// The registry operations the audit uses, one for each platform call, with no
// logic of their own. registry_win.cpp implements them on Windows; the unit
// tests link a double in their place.
#pragma once

#include <cstdint>

// An open registry key, as the platform's handle value.
using RegistryKey = std::uintptr_t;

// The registry's type code of a 32-bit little-endian number (REG_DWORD).
constexpr std::uint32_t kRegDword = 4;

// RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE).
bool RegistryOpenForQuery(const char* path, RegistryKey* key);

// RegCreateKeyA(HKEY_LOCAL_MACHINE, path): opens the key, creating it when it
// is missing, with whatever access the caller is allowed.
bool RegistryCreate(const char* path, RegistryKey* key);

// RegQueryValueExA(key, name, nullptr, nullptr, data, &size) with size given
// as `size`: fails when the value is missing or longer than `size` bytes.
// Bytes that a shorter value does not fill are left as they were.
bool RegistryQuery(RegistryKey key, const char* name, void* data, std::uint32_t size);

// RegSetValueExA(key, name, 0, type, data, size).
bool RegistrySet(RegistryKey key, const char* name, std::uint32_t type, const void* data,
                 std::uint32_t size);

// RegCloseKey(key).
void RegistryClose(RegistryKey key);

// lstrcmpiA(a, b) == 0: the platform's comparison that ignores case.
bool SameTextIgnoringCase(const char* a, const char* b);
