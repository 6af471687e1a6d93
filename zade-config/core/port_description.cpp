#include "port_description.h"

#include <cstring>

namespace {

// Parts of a description, separated by commas.
void AddPart(PortDescription& text, const char* part) {
  if (part[0] == '\0') return;
  if (!text.empty()) text.Append(", ");
  text.Append(part);
}

PortDescription DescribeWindowsPort(const PortFacts& port) {
  if (port.friendlyName.empty() && port.hardwareId.empty()) return port.kernelDevice.c_str();
  PortDescription text = port.friendlyName.c_str();
  if (!port.hardwareId.empty()) {
    text.AppendFormat(text.empty() ? "[%s]" : " [%s]", port.hardwareId.c_str());
  }
  return text;
}

PortDescription DescribeLinuxPort(const PortFacts& port, EnvironmentLookup environment) {
  PortDescription text;
  if (port.onUsb) {
    text.AppendFormat("USB %s:%s", port.usbVendorId.c_str(), port.usbProductId.c_str());
    if (!port.manufacturer.empty()) text.AppendFormat(" %s", port.manufacturer.c_str());
    if (!port.product.empty()) text.AppendFormat(" %s", port.product.c_str());
    if (!port.serial.empty()) text.AppendFormat(", serial number %s", port.serial.c_str());
  }
  if (!port.driver.empty()) {
    AddPart(text, BoundedText<48>().AppendFormat("driver %s", port.driver.c_str()).c_str());
  }
  AddPart(text, port.byIdPath.c_str());
  char answer = 0;
  if (DialogueAnswerFor(port.name.c_str(), environment, answer)) {
    AddPart(text, BoundedText<48>()
                      .AppendFormat("answer %c in the dialogue (COM%c)", answer, answer)
                      .c_str());
  }
  if (!port.user.program.empty()) {
    AddPart(text, BoundedText<128>()
                      .AppendFormat(port.user.holdsLock ? "held by %s" : "open in %s",
                                    port.user.program.c_str())
                      .c_str());
  }
  if (port.access.denied) {
    AddPart(text,
            BoundedText<160>()
                .AppendFormat("no read/write permission: %s", AccessAdvice(port.access).c_str())
                .c_str());
  }
  return text.empty() ? PortDescription("serial port") : text;
}

}  // namespace

PortDescription DescribePort(const PortFacts& port, EnvironmentLookup environment) {
  return port.style == PortStyle::Windows ? DescribeWindowsPort(port)
                                          : DescribeLinuxPort(port, environment);
}
