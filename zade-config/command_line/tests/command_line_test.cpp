#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "port_names.h"

namespace {

struct Form {
  std::vector<const char*> args;
  PortStyle style;
  Action action;
  const char* port;    // shown name, or null for none
  const char* device;  // opened name
  int mode;            // -1: no mode
};

class GoodForms : public testing::TestWithParam<Form> {};

CommandLine Parse(const std::vector<const char*>& args, PortStyle style) {
  std::vector<const char*> argv{"zade-config"};
  argv.insert(argv.end(), args.begin(), args.end());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data(), style);
}

TEST_P(GoodForms, GiveTheirAction) {
  const Form& form = GetParam();
  const CommandLine line = Parse(form.args, form.style);
  EXPECT_EQ(line.action, form.action) << line.error.c_str();
  EXPECT_EQ(line.portGiven, form.port != nullptr);
  if (form.port != nullptr) {
    EXPECT_STREQ(line.port.name.c_str(), form.port);
    EXPECT_STREQ(line.port.device.c_str(), form.device);
  }
  if (form.mode >= 0) {
    EXPECT_EQ(line.mode, form.mode);
  }
}

constexpr auto W = PortStyle::Windows;
constexpr auto P = PortStyle::Posix;
INSTANTIATE_TEST_SUITE_P(
    CommandLine, GoodForms,
    testing::Values(
        Form{{}, W, Action::Dialogue, nullptr, nullptr, -1},
        Form{{"--help"}, W, Action::Help, nullptr, nullptr, -1},
        Form{{"/?"}, W, Action::Help, nullptr, nullptr, -1},
        Form{{"-h", "--port", "COM3"}, P, Action::Help, "COM3", "COM3", -1},
        Form{{"-V"}, P, Action::Version, nullptr, nullptr, -1},
        Form{{"--vers"}, P, Action::Version, nullptr, nullptr, -1},
        Form{{"-l"}, W, Action::ListPorts, nullptr, nullptr, -1},
        Form{{"--list-ports"}, P, Action::ListPorts, nullptr, nullptr, -1},
        Form{{"--port", "COM12"}, W, Action::Dialogue, "COM12", "\\\\.\\COM12", -1},
        Form{{"--port", "com12"}, P, Action::Dialogue, "COM12", "COM12", -1},
        Form{{"--port=\\\\.\\CNCA0"}, W, Action::Dialogue, "\\\\.\\CNCA0", "\\\\.\\CNCA0", -1},
        Form{{"-p", "/dev/serial/by-id/usb-x"},
             P,
             Action::Dialogue,
             "/dev/serial/by-id/usb-x",
             "/dev/serial/by-id/usb-x",
             -1},
        Form{{"-pCOM255", "-m", "500"}, W, Action::SetMode, "COM255", "\\\\.\\COM255", 0x01},
        Form{{"-p", "COM256"}, W, Action::Dialogue, "COM256", "\\\\.\\COM256", -1},
        Form{{"--port=CNCA0"}, W, Action::Dialogue, "CNCA0", "\\\\.\\CNCA0", -1},
        Form{{"--mode=OFF", "--port=COM3"}, W, Action::SetMode, "COM3", "\\\\.\\COM3", 0x00},
        Form{{"-m100", "--"}, P, Action::SetMode, nullptr, nullptr, 0x09},
        Form{{"--mo", "Off"}, P, Action::SetMode, nullptr, nullptr, 0x00}));

struct BadForm {
  std::vector<const char*> args;
  PortStyle style;
  const char* error;
};

class BadForms : public testing::TestWithParam<BadForm> {};

TEST_P(BadForms, SayWhatIsWrong) {
  const CommandLine line = Parse(GetParam().args, GetParam().style);
  EXPECT_EQ(line.action, Action::BadUsage);
  EXPECT_STREQ(line.error.c_str(), GetParam().error);
}

const std::string kLongValue(256, 'a');
INSTANTIATE_TEST_SUITE_P(
    CommandLine, BadForms,
    testing::Values(
        BadForm{{"--bogus"}, W, "unrecognized option '--bogus'"},
        BadForm{{"--=x"}, W, "unrecognized option '--'"},
        BadForm{{"-x"}, P, "invalid option -- 'x'"}, BadForm{{"-lx"}, P, "invalid option -- 'x'"},
        BadForm{{"--port"}, W, "option '--port' needs a value"},
        BadForm{{"-m"}, W, "option '--mode' needs a value"},
        BadForm{{"--help=yes"}, W, "option '--help' takes no value"},
        BadForm{{"-m", "500", "--mode", "100"}, W, "option '--mode' given twice"},
        BadForm{{"-l", "-l"}, W, "option '--list-ports' given twice"},
        BadForm{{"--mode", "400"}, W, "'400' is no CAN bus mode: give 500, 100 or off"},
        BadForm{{"--mode="}, W, "'' is no CAN bus mode: give 500, 100 or off"},
        BadForm{{"-p", "COM1:"},
                W,
                "'COM1:' is no port name: give a name --list-ports shows, or \\\\.\\NAME"},
        BadForm{
            {"-p", "COM0"}, P, "'COM0' is no port name: give COM1 to COM255 or a device's path"},
        BadForm{{"-p", "/dev/ttyUSB0"},
                W,
                "'/dev/ttyUSB0' is no port name: give a name --list-ports shows, or \\\\.\\NAME"},
        BadForm{{"-p", "ttyUSB0"},
                P,
                "'ttyUSB0' is no port name: give COM1 to COM255 or a device's path"},
        BadForm{{"-p", kLongValue.c_str()},
                P,
                "the value of '--port' is too long (at most 255 characters)"},
        BadForm{{"/?"}, P, "unexpected argument '/?'"},
        BadForm{{"-m", "500", "COM3"}, W, "unexpected argument 'COM3'"},
        BadForm{{"--", "-h"}, W, "unexpected argument '-h'"},
        BadForm{{"-"}, W, "unexpected argument '-'"},
        BadForm{{"--list-ports", "--mode", "500"},
                W,
                "'--list-ports' goes with no '--mode' or '--port'"},
        BadForm{{"-l", "-p", "COM1"}, P, "'--list-ports' goes with no '--mode' or '--port'"}));
}  // namespace
