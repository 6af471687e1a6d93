#include "command_line.h"

#include <cstring>

#include "service_audit.h"

namespace {

enum Option { kHelp, kVersion, kCheck, kNoWait, kOptionCount };

struct OptionSpec {
  const char* longName;
  char shortName;  // 0: none
};

const OptionSpec kOptions[kOptionCount] = {
    {"help", 'h'}, {"version", 'V'}, {"check", 0}, {"no-wait", 0}};

struct Options {
  bool given[kOptionCount] = {};
  char error[96] = {};
};

bool Give(Options& options, int option) {
  if (options.given[option]) {
    std::snprintf(options.error, sizeof options.error, "option '--%s' given twice",
                  kOptions[option].longName);
    return false;
  }
  options.given[option] = true;
  return true;
}

// Long options may be shortened to any beginning: no two begin alike.
bool ReadLong(Options& options, const char* name) {
  for (int option = 0; option < kOptionCount && name[0] != '\0'; ++option) {
    if (std::strncmp(kOptions[option].longName, name, std::strlen(name)) == 0) {
      return Give(options, option);
    }
  }
  std::snprintf(options.error, sizeof options.error, "unrecognized option '--%.40s'", name);
  return false;
}

// Short options may be bundled (-hV).
bool ReadShort(Options& options, const char* letters) {
  for (; *letters != '\0'; ++letters) {
    int found = -1;
    for (int option = 0; option < kOptionCount; ++option) {
      if (kOptions[option].shortName == *letters) found = option;
    }
    if (found < 0) {
      std::snprintf(options.error, sizeof options.error, "invalid option -- '%c'", *letters);
      return false;
    }
    if (!Give(options, found)) return false;
  }
  return true;
}

bool Parse(int argc, const char* const* argv, Options& options) {
  for (int index = 1; index < argc; ++index) {
    const char* arg = argv[index];
    if (std::strcmp(arg, "/?") == 0) {
      if (!Give(options, kHelp)) return false;
    } else if (arg[0] == '-' && arg[1] == '-' && arg[2] != '\0') {
      if (!ReadLong(options, arg + 2)) return false;
    } else if (arg[0] == '-' && arg[1] != '-' && arg[1] != '\0') {
      if (!ReadShort(options, arg + 1)) return false;
    } else {
      std::snprintf(options.error, sizeof options.error, "unexpected argument '%.40s'", arg);
      return false;
    }
  }
  return true;
}

void PrintUsage(std::FILE* out) {
  std::fputs(
      "Usage: obd-setup [--check] [--no-wait]\n"
      "Checks the settings of the Windows serial port driver's service and sets\n"
      "its transmit FIFO (TxFIFO) to 8. Without options it ends with a key.\n"
      "\n"
      "Options:\n"
      "  --check         check only: write and create nothing; a TxFIFO that\n"
      "                  differs is a warning; no key wait\n"
      "  --no-wait       check and repair, without the final key wait\n"
      "  -h, --help, /?  show this help and end\n"
      "  -V, --version   show the version and end\n"
      "\n"
      "Exit status with --check or --no-wait, the sum of:\n"
      "  0   every value as expected\n"
      "  1   TxFIFO was corrected (with 2: 3)\n"
      "  2   reboot needed\n"
      "  4   values differ and were left as they were\n"
      "  8   not Windows NT, or the repair failed: run it as administrator\n"
      "  16  a bad command line; nothing was read or written\n"
      "Without options the status is the code of the key pressed at the end.\n"
      "\n"
      "Example:\n"
      "  obd-setup --check\n",
      out);
}

}  // namespace

int RunObdSetupCommand(int argc, const char* const* argv, std::uint32_t versionWord, std::FILE* out,
                       std::FILE* err) {
  if (argc <= 1) return RunObdSetup(versionWord, out);
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(err, "obd-setup: %s\nTry 'obd-setup --help'.\n", options.error);
    return kExitUsage;
  }
  if (options.given[kHelp]) {
    PrintUsage(out);
    return 0;
  }
  if (options.given[kVersion]) {
    std::fputs("obd-setup " OBD_SETUP_VERSION "\n", out);
    return 0;
  }
  return RunObdSetupForScript(
      versionWord, options.given[kCheck] ? AuditMode::CheckOnly : AuditMode::Repair, out);
}
