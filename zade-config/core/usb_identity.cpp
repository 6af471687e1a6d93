// UsbIdentityOf, apart from the rest of the port table, so that a program
// that names no USB vendor links none of it.
#include <cctype>
#include <cstring>

#include "ascii_case.h"
#include "port_table.h"

namespace {

// The four hex digits after KEY_ (VID_, PID_) in a hardware ID, in lowercase;
// empty where it has none.
BoundedText<8> HexAfter(const char* hardwareId, const char* key) {
  const std::size_t keyLength = std::strlen(key);
  for (const char* at = hardwareId; *at != '\0'; ++at) {
    if (!SameAsciiIgnoringCase(at, key, keyLength)) continue;
    BoundedText<8> digits;
    for (const char* digit = at + keyLength; digits.size() < 4; ++digit) {
      if (!std::isxdigit(static_cast<unsigned char>(*digit))) return {};
      digits.AppendFormat("%c", std::tolower(static_cast<unsigned char>(*digit)));
    }
    return digits;
  }
  return {};
}

}  // namespace

UsbIdentity UsbIdentityOf(const PortFacts& port) {
  UsbIdentity identity;
  if (!IsUsbPort(port)) return identity;
  identity.vendor = HexAfter(port.hardwareId.c_str(), "VID_");
  identity.product = HexAfter(port.hardwareId.c_str(), "PID_");
  if (identity.vendor.empty() || identity.product.empty()) return {};
  return identity;
}
