#include "program.h"

namespace {

// The ports present, ready for listing. The table is too large for the stack.
const PortTable& EnumeratedPorts(const ProgramSystem& system) {
  static PortTable ports;
  ports.count = 0;
  system.enumeratePorts(ports);
  PrepareForListing(ports);
  return ports;
}

}  // namespace

int ShowUsage(const ProgramSystem& system) {
  PrintUsage(system.out, system.style);
  return kExitDone;
}

int ShowVersion(const ProgramSystem& system) {
  std::fputs("zade-config " ZADE_CONFIG_VERSION "\n", system.out);
  return kExitDone;
}

int ListPorts(const ProgramSystem& system) {
  const PortTable& ports = EnumeratedPorts(system);
  if (ports.count == 0) std::fputs("zade-config: no serial port found\n", system.err);
  PrintPortList(system.out, ports, system.environment);
  return kExitDone;
}

int ReportBadUsage(const CommandLine& line, const ProgramSystem& system) {
  std::fprintf(system.err, "zade-config: %s\n%s", line.error.c_str(), kUsageHint);
  return kExitUsage;
}

bool ChooseUsbPort(const ProgramSystem& system, PortArgument& chosen) {
  const PortTable& ports = EnumeratedPorts(system);
  const PortFacts* usbPort = nullptr;
  int usbPorts = 0;
  for (const PortFacts& port : ports) {
    if (!IsUsbPort(port)) continue;
    usbPort = &port;
    ++usbPorts;
  }
  if (usbPorts == 1 && ParsePortArgument(usbPort->name.c_str(), system.style, chosen)) return true;
  std::fputs(usbPorts == 0 ? "zade-config: no USB serial port found; name the port with --port.\n"
                           : "zade-config: more than one USB serial port; name one with --port.\n",
             system.err);
  PrintPortList(system.err, ports, system.environment);
  return false;
}

BoundedText<160> OpenFailureReason(const OpenFailure& failure) {
  switch (failure.kind) {
    case OpenFailureKind::PermissionDenied:
      return "Permission denied: this user may not read and write it; join the dialout group"
             " (sudo usermod -aG dialout $USER, then log in again).";
    case OpenFailureKind::Busy:
      return BoundedText<160>().AppendFormat("Busy: %s holds it.", failure.holder.empty()
                                                                       ? "another program"
                                                                       : failure.holder.c_str());
    case OpenFailureKind::NoSuchDevice:
      return "No such device.";
    case OpenFailureKind::AccessDenied:
      return "Access denied: another program holds it.";
    case OpenFailureKind::NotFound:
      return "Not found: there is no such port.";
    default:
      return "";
  }
}

int ReportOpenFailure(const PortArgument& port, const OpenFailure& failure,
                      const ProgramSystem& system) {
  std::fprintf(system.err, "Error: %s in use or does not exist.\n", port.name.c_str());
  const BoundedText<160> reason = OpenFailureReason(failure);
  if (!reason.empty()) std::fprintf(system.err, "%s\n", reason.c_str());
  return kExitError;
}
