#include "fake_registry.h"

#include <strings.h>

#include <algorithm>

namespace fake {

namespace {
FakeRegistry registry;
constexpr std::uint32_t kRegSz = 1;

std::string Id(RegistryKey key) {
  return std::to_string(key);
}
}  // namespace

FakeRegistry& Registry() {
  return registry;
}
void ResetRegistry() {
  registry = FakeRegistry();
}

RegistryValue Dword(std::uint32_t value) {
  return {kRegDword,
          {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
           static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)}};
}

RegistryValue Text(const std::string& text) {
  RegistryValue value{kRegSz, {text.begin(), text.end()}};
  value.bytes.push_back(0);
  return value;
}

RegistryValue Bytes(std::uint32_t type, const std::string& bytes) {
  return {type, {bytes.begin(), bytes.end()}};
}

std::map<std::string, RegistryValue> StandardValues() {
  return {{"Type", Dword(1)},         {"Start", Dword(1)},  {"Group", Text("Extended base")},
          {"ErrorControl", Dword(0)}, {"Tag", Dword(1)},    {"ForceFifoEnable", Dword(1)},
          {"RxFIFO", Dword(8)},       {"TxFIFO", Dword(8)}, {"PermitShare", Dword(0)},
          {"LogFifo", Dword(0)}};
}

}  // namespace fake

using fake::registry;

bool RegistryOpenForQuery(const char* /*path*/, RegistryKey* key) {
  if (!registry.keyExists || registry.openFails) {
    registry.calls.push_back("open failed");
    return false;
  }
  *key = registry.nextKey++;
  registry.openKeys.insert(*key);
  registry.calls.push_back("open " + fake::Id(*key));
  return true;
}

bool RegistryCreate(const char* /*path*/, RegistryKey* key) {
  if (registry.createFails) {
    registry.calls.push_back("create failed");
    return false;
  }
  registry.keyExists = true;
  *key = registry.nextKey++;
  registry.openKeys.insert(*key);
  registry.calls.push_back("create " + fake::Id(*key));
  return true;
}

bool RegistryQuery(RegistryKey key, const char* name, void* data, std::uint32_t size) {
  registry.calls.push_back("query " + fake::Id(key) + " " + name);
  if (registry.openKeys.count(key) == 0) {
    ++registry.callsOnClosedKeys;
    return false;
  }
  // The caller promises `size` bytes of room: touch the last of them, so
  // that a smaller buffer shows up under AddressSanitizer.
  if (size > 0) {
    volatile unsigned char* last = static_cast<unsigned char*>(data) + size - 1;
    *last = *last;
  }
  const auto found = registry.values.find(name);
  if (found == registry.values.end()) return false;
  const std::vector<unsigned char>& bytes = found->second.bytes;
  if (bytes.size() > size) return false;  // more data than room
  std::copy(bytes.begin(), bytes.end(), static_cast<unsigned char*>(data));
  return true;
}

bool RegistrySet(RegistryKey key, const char* name, std::uint32_t type, const void* data,
                 std::uint32_t size) {
  registry.calls.push_back("set " + fake::Id(key) + " " + name);
  if (registry.openKeys.count(key) == 0) ++registry.callsOnClosedKeys;
  if (registry.openKeys.count(key) == 0 || registry.writeFails) return false;
  const auto* bytes = static_cast<const unsigned char*>(data);
  registry.values[name] = {type, {bytes, bytes + size}};
  return true;
}

void RegistryClose(RegistryKey key) {
  if (registry.onClose) registry.onClose();
  registry.calls.push_back("close " + fake::Id(key));
  registry.openKeys.erase(key);
}

bool SameTextIgnoringCase(const char* a, const char* b) {
  return strcasecmp(a, b) == 0;
}
