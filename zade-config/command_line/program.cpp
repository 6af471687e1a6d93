#include "program.h"

#include <cerrno>
#include <cstring>

#include "port_description.h"

namespace {

// The ports present, ready for listing. The table is too large for the stack.
PortTable& EnumeratedPorts(const ProgramSystem& system) {
  static PortTable ports;
  ports.count = 0;
  system.enumeratePorts(ports);
  PrepareForListing(ports);
  return ports;
}

// Flushed and closed, with no write of it failed.
bool CloseCleanly(std::FILE* stream, int (*closeStream)(std::FILE*)) {
  const bool failedBefore = std::ferror(stream) != 0;
  return closeStream(stream) == 0 && !failedBefore;
}

// One line a port: its name, a tab, its description.
void PrintPortList(std::FILE* out, const PortTable& ports, const ProgramSystem& system) {
  for (const PortFacts& port : ports) {
    const BoundedText<kMaxPortName + 600> line = BoundedText<kMaxPortName + 600>().AppendFormat(
        "%s\t%s\n", port.name.c_str(), DescribePort(port, system.environment).c_str());
    system.writeText(out, line.c_str());
  }
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
  PortTable& ports = EnumeratedPorts(system);
  // Only for the ports listed: the lookup reads all of /proc.
  for (PortFacts& port : ports) {
    if (system.lookups.holder != nullptr) port.user = system.lookups.holder(port.name.c_str());
  }
  if (ports.count == 0) std::fputs("zade-config: no serial port found\n", system.err);
  PrintPortList(system.out, ports, system);
  return kExitDone;
}

int ReportBadUsage(const CommandLine& line, const ProgramSystem& system) {
  std::fprintf(system.err, "zade-config: %s\n%s", line.error.c_str(), kUsageHint);
  return kExitUsage;
}

bool ChooseUsbPort(const ProgramSystem& system, PortArgument& chosen) {
  const PortTable& ports = EnumeratedPorts(system);
  const UsbPorts usb = FindUsbPorts(ports);
  if (usb.count == 1) {
    chosen = ListedPort(*usb.first);
    return true;
  }
  std::fputs(usb.count == 0 ? "zade-config: no USB serial port found; name the port with --port.\n"
                            : "zade-config: more than one USB serial port; name one with --port.\n",
             system.err);
  PrintPortList(system.err, ports, system);
  return false;
}

int PrintOutcome(const OneShotOutcome& outcome, const ProgramSystem& system) {
  system.writeText(system.out, outcome.result.c_str());
  system.writeText(system.err, outcome.problems.c_str());
  return outcome.status;
}

int EndOutput(int status, const ProgramSystem& system) {
  if (!CloseCleanly(system.out, system.closeStream)) {
    std::fprintf(system.err, "zade-config: write error: %s\n", std::strerror(errno));
    status = kExitError;
  }
  if (!CloseCleanly(system.err, system.closeStream)) status = kExitError;
  return status;
}
