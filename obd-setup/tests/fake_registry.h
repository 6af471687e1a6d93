// A registry double for the audit: the service key with its values by name
// (type and bytes), a log of every call, and switches that make the open, the
// create and the write fail.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "registry.h"

namespace fake {

struct RegistryValue {
  std::uint32_t type;
  std::vector<unsigned char> bytes;
};

struct FakeRegistry {
  bool keyExists = true;
  bool openFails = false;    // the open fails even though the key exists
  bool createFails = false;  // the create fails (and creates nothing)
  bool writeFails = false;   // writes are refused
  std::map<std::string, RegistryValue> values;

  // What the code under test did: "open 1", "create 2", "query 1 Type",
  // "set 2 TxFIFO", "close 1", ...
  std::vector<std::string> calls;
  std::set<RegistryKey> openKeys;
  int callsOnClosedKeys = 0;      // queries and writes through a handle not open
  std::function<void()> onClose;  // runs at each close, before it is logged
  RegistryKey nextKey = 1;
};

// The one registry the operations of registry.h work on; reset for each test.
FakeRegistry& Registry();
void ResetRegistry();

RegistryValue Dword(std::uint32_t value);
RegistryValue Text(const std::string& text);  // with its terminator
RegistryValue Bytes(std::uint32_t type, const std::string& bytes);

// The ten values as the audit expects them (Start = 1).
std::map<std::string, RegistryValue> StandardValues();

}  // namespace fake
