#include "command_line.h"

#include <cstring>

#include "ascii_case.h"

namespace {

enum Option { kHelp, kVersion, kListPorts, kPort, kMode, kOptionCount };

struct OptionSpec {
  const char* longName;
  char shortName;
  bool takesValue;
};

const OptionSpec kOptions[kOptionCount] = {
    {"help", 'h', false}, {"version", 'V', false}, {"list-ports", 'l', false},
    {"port", 'p', true},  {"mode", 'm', true},
};

bool ParseMode(const char* text, CanBusMode& mode) {
  if (std::strcmp(text, "500") == 0) {
    mode = kMode500kDCan;
  } else if (std::strcmp(text, "100") == 0) {
    mode = kMode100kKCan;
  } else if (SameAsciiIgnoringCase(text, "off")) {
    mode = kModeCanOff;
  } else {
    return false;
  }
  return true;
}

// What a message quotes of the user's text: enough to recognise it.
constexpr int kQuoted = 40;

// Reads the options in order; the first fault ends the reading with its text.
class OptionReader {
 public:
  OptionReader(int argc, const char* const* argv, PortStyle style)
      : argc_(argc), argv_(argv), style_(style) {}

  bool ReadAll() {
    bool onlyOperands = false;
    for (index_ = 1; index_ < argc_; ++index_) {
      const char* arg = argv_[index_];
      if (!onlyOperands && style_ == PortStyle::Windows && std::strcmp(arg, "/?") == 0) {
        if (!Record(kHelp, nullptr)) return false;
      } else if (onlyOperands || arg[0] != '-' || arg[1] == '\0') {
        return Fail("unexpected argument '%.*s'", kQuoted, arg);
      } else if (std::strcmp(arg, "--") == 0) {
        onlyOperands = true;
      } else if (arg[1] == '-') {
        if (!ReadLong(arg + 2)) return false;
      } else if (!ReadShort(arg)) {
        return false;
      }
    }
    return true;
  }

  bool seen[kOptionCount] = {};
  const char* values[kOptionCount] = {};
  BoundedText<160> error;

 private:
  bool ReadLong(const char* text) {
    const char* equals = std::strchr(text, '=');
    const std::size_t nameLength = equals ? equals - text : std::strlen(text);
    // Any beginning of a long name will do: no two begin alike.
    int found = -1;
    for (int option = 0; option < kOptionCount && nameLength > 0; ++option) {
      if (std::strncmp(kOptions[option].longName, text, nameLength) == 0) found = option;
    }
    if (found < 0) {
      return Fail("unrecognized option '--%.*s'", static_cast<int>(nameLength), text);
    }
    if (!kOptions[found].takesValue) {
      if (equals != nullptr) return Fail("option '--%s' takes no value", kOptions[found].longName);
      return Record(found, nullptr);
    }
    if (equals != nullptr) return Record(found, equals + 1);
    return RecordNextValue(found);
  }

  // Flags may be bundled (-lh); a value follows its letter (-pCOM3) or is
  // the next argument.
  bool ReadShort(const char* arg) {
    for (const char* letter = arg + 1; *letter != '\0'; ++letter) {
      int found = -1;
      for (int option = 0; option < kOptionCount; ++option) {
        if (kOptions[option].shortName == *letter) found = option;
      }
      if (found < 0) return Fail("invalid option -- '%c'", *letter);
      if (!kOptions[found].takesValue) {
        if (!Record(found, nullptr)) return false;
      } else {
        return letter[1] != '\0' ? Record(found, letter + 1) : RecordNextValue(found);
      }
    }
    return true;
  }

  bool RecordNextValue(int option) {
    if (index_ + 1 >= argc_) return Fail("option '--%s' needs a value", kOptions[option].longName);
    return Record(option, argv_[++index_]);
  }

  bool Record(int option, const char* value) {
    const char* name = kOptions[option].longName;
    if (seen[option]) return Fail("option '--%s' given twice", name);
    if (value != nullptr && std::strlen(value) > kMaxPortName) {
      return Fail("the value of '--%s' is too long (at most %d characters)", name,
                  static_cast<int>(kMaxPortName));
    }
    seen[option] = true;
    values[option] = value;
    return true;
  }

  template <class... Arguments>
  bool Fail(const char* format, Arguments... arguments) {
    error.AppendFormat(format, arguments...);
    return false;
  }

  int argc_;
  const char* const* argv_;
  PortStyle style_;
  int index_ = 0;
};

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv, PortStyle style) {
  CommandLine line;
  line.action = Action::BadUsage;
  OptionReader reader(argc, argv, style);
  if (!reader.ReadAll()) {
    line.error = reader.error;
    return line;
  }
  if (reader.seen[kPort]) {
    if (!ParsePortArgument(reader.values[kPort], style, line.port)) {
      line.error.AppendFormat("'%.*s' is no port name: give COM1 to COM255 or %s", kQuoted,
                              reader.values[kPort],
                              style == PortStyle::Windows ? "\\\\.\\NAME" : "a device's path");
      return line;
    }
    line.portGiven = true;
  }
  if (reader.seen[kMode] && !ParseMode(reader.values[kMode], line.mode)) {
    line.error.AppendFormat("'%.*s' is no CAN bus mode: give 500, 100 or off", kQuoted,
                            reader.values[kMode]);
    return line;
  }
  if (reader.seen[kListPorts] && (reader.seen[kMode] || reader.seen[kPort])) {
    line.error = "'--list-ports' goes with no '--mode' or '--port'";
    return line;
  }

  if (reader.seen[kHelp]) {
    line.action = Action::Help;
  } else if (reader.seen[kVersion]) {
    line.action = Action::Version;
  } else if (reader.seen[kListPorts]) {
    line.action = Action::ListPorts;
  } else if (reader.seen[kMode]) {
    line.action = Action::SetMode;
  } else {
    line.action = Action::Dialogue;
  }
  return line;
}

void PrintUsage(std::FILE* out, PortStyle style) {
  const bool windows = style == PortStyle::Windows;
  std::fputs(
      "Usage: zade-config                      ask for the port, then for the mode\n"
      "       zade-config --port PORT          the same without the port question\n"
      "       zade-config [--port PORT] --mode MODE\n"
      "       zade-config --list-ports\n"
      "Sets the CAN bus mode of the ORX D-CAN USB adapter and shows the mode it reports.\n"
      "\n"
      "Options:\n",
      out);
  std::fputs(windows ? "  -p, --port PORT   the adapter's port: COM1 to COM255, or \\\\.\\NAME\n"
                     : "  -p, --port PORT   the adapter's device, such as /dev/ttyUSB0 or\n"
                       "                    /dev/serial/by-id/..., or COM1 to COM255 ($COMn,\n"
                       "                    else /dev/ttyUSB<n-1>)\n",
             out);
  std::fputs(
      "  -m, --mode MODE   set the mode and end, with no question and no key wait:\n"
      "                    500 (500 kbit/s, D-CAN and PT-CAN), 100 (100 kbit/s, K-CAN)\n"
      "                    or off; without --port, the only USB serial port present\n"
      "  -l, --list-ports  list the serial ports present: the name --port takes, a\n"
      "                    tab, what the port is\n",
      out);
  std::fputs(windows ? "  -h, --help, /?    show this help and end\n"
                     : "  -h, --help        show this help and end\n",
             out);
  std::fputs(
      "  -V, --version     show the version and end\n"
      "\n"
      "Exit status with --mode:\n"
      "  0  the adapter took the mode\n"
      "  1  no port could be chosen or opened, or the adapter did not answer\n"
      "  2  a bad command line; nothing was opened or sent\n"
      "  3  the adapter answered, but reports another mode than the one asked for\n"
      "The dialogue ends with 0 after the OK screen or Exit, and with -1 (255)\n"
      "otherwise. --help, --version and --list-ports end with 0.\n"
      "\n"
      "Example:\n",
      out);
  std::fputs(windows ? "  zade-config --port COM12 --mode 100\n"
                     : "  zade-config --port /dev/ttyUSB0 --mode 100\n",
             out);
}
