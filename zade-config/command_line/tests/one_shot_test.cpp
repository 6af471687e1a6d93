#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "doubles.h"
#include "output_capture.h"
#include "port_facts.h"
#include "program.h"

namespace {

// One-shot runs: the mode set without questions.

void WriteAsIs(std::FILE* stream, const char* text) {
  std::fputs(text, stream);
}
PortTable* enumerated = nullptr;
void FakeEnumeration(PortTable& ports) {
  for (const PortFacts& port : *enumerated) ports.Add(port);
}

struct OneShotRun {
  std::string log;
  FakePort port{log};
  FakeAdapter adapter;
  OutputCapture out, err;
  std::unique_ptr<PortTable> present = std::make_unique<PortTable>();
  FailureLookups lookups;
  std::FILE* outFile = nullptr;  // else `out`
  std::FILE* errFile = nullptr;  // else `err`
  int status = 1234;

  OneShotRun() { port.adapter = &adapter; }
  OneShotRun& Go(std::vector<const char*> args, PortStyle style = PortStyle::Windows,
                 const std::string& typed = "") {
    args.insert(args.begin(), "zade-config");
    const CommandLine line = ParseCommandLine(static_cast<int>(args.size()), args.data(), style);
    enumerated = present.get();
    FakeConsole console(typed, log);
    status = RunProgram(line, port, console,
                        {style, FakeEnumeration, FakeEnvironment, lookups,
                         outFile != nullptr ? outFile : out.file(),
                         errFile != nullptr ? errFile : err.file(), std::fflush, WriteAsIs});
    return *this;
  }
};

DeviceUser FakeLocker(const char* portName) {
  if (std::string(portName) != "/dev/ttyUSB0") return DeviceUser();
  return {"minicom (process 42)", true};
}

TEST(OneShot, SetsTheModeAsTheDialogueDoesAndReportsItOnOneLine) {
  OneShotRun run;
  run.Go({"--port", "COM12", "--mode", "100"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.log, "[open \\\\.\\COM12 115200 2000][timeouts 1][timeouts 500]");
  EXPECT_EQ(run.port.written, (std::vector<std::uint8_t>{0x81, 0x00, 0x00, 0x09, 0x8A}));
  EXPECT_EQ(run.out.Text(), "COM12: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\n");
  EXPECT_EQ(run.err.Text(), "");
}

TEST(OneShot, AnotherModeReportedIsStatusThree) {
  OneShotRun run;
  run.adapter.replyByte3 = 0xF6;  // reports 9
  run.Go({"-p", "/dev/ttyUSB0", "-m", "off"}, PortStyle::Posix);
  EXPECT_EQ(run.status, kExitOtherMode);
  EXPECT_EQ(run.out.Text(), "/dev/ttyUSB0: CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\n");
  EXPECT_EQ(run.err.Text(), "Asked for CAN BUS mode =  0    ( CAN OFF )\n");
}

TEST(OneShot, NoAnswerOrNoPortIsStatusOneOnTheErrorStream) {
  OneShotRun silent;
  silent.port.adapter = nullptr;
  silent.Go({"-p", "COM3", "-m", "500"});
  EXPECT_EQ(silent.status, kExitError);
  EXPECT_EQ(silent.out.Text(), "");
  EXPECT_EQ(silent.err.Text(), "Error, adapter not conected!!!\n");

  OneShotRun busy;
  busy.port.unopenable = "/dev/ttyUSB0";
  busy.port.failure.kind = OpenFailureKind::Busy;
  busy.lookups.holder = FakeLocker;
  busy.Go({"-p", "/dev/ttyUSB0", "-m", "500"}, PortStyle::Posix);
  EXPECT_EQ(busy.status, kExitError);
  EXPECT_EQ(busy.err.Text(),
            "Error: /dev/ttyUSB0 in use or does not exist.\nBusy: held by minicom (process 42).\n");
  EXPECT_TRUE(busy.port.written.empty());
}

// Whatever its name, the only USB port is opened as \\.\NAME.
TEST(OneShot, WithoutAPortUsesTheOnlyUsbSerialPort) {
  struct Case {
    const char* name;
    const char* hardwareId;
  };
  for (const Case& c : {Case{"COM7", "FTDIBUS\\X"}, Case{"CNCA0", "USB\\VID_0403"},
                        Case{"COM256", "USB\\VID_0403"}}) {
    OneShotRun run;
    run.present->Add(WindowsPort("COM1", "\\Device\\Serial0", "", "ACPI\\PNP0501"));
    run.present->Add(WindowsPort(c.name, "\\Device\\VCP0", "USB Serial Port", c.hardwareId));
    run.Go({"--mode", "100"});
    EXPECT_EQ(run.status, kExitDone) << c.name << ": " << run.err.Text();
    EXPECT_EQ(run.log.rfind("[open \\\\.\\" + std::string(c.name) + " 115200 2000]", 0), 0u);
    EXPECT_EQ(run.out.Text(),
              std::string(c.name) + ": CAN BUS mode =  9    ( 100 kbit/s - K-CAN )\n");
  }
}

TEST(OneShot, NoneOrSeveralUsbSerialPortsOpenNothing) {
  OneShotRun none;
  none.present->Add(WindowsPort("COM1", "\\Device\\Serial0"));
  none.Go({"--mode", "500"});
  EXPECT_EQ(none.status, kExitError);
  EXPECT_EQ(none.err.Text(),
            "zade-config: no USB serial port found; name the port with --port.\n"
            "COM1\t\\Device\\Serial0\n");

  OneShotRun several;
  several.present->Add(LinuxPort("/dev/ttyUSB1", true));
  several.present->Add(LinuxPort("/dev/ttyACM0", true));
  several.Go({"--mode", "500"}, PortStyle::Posix);
  EXPECT_EQ(several.status, kExitError);
  EXPECT_EQ(several.err.Text().substr(0, 66),
            "zade-config: more than one USB serial port; name one with --port.\n");
  for (OneShotRun* run : {&none, &several}) {
    EXPECT_EQ(run->log, "");  // nothing opened
    EXPECT_EQ(run->out.Text(), "");
  }
}

TEST(OneShot, BadUsageOpensNothing) {
  OneShotRun run;
  run.Go({"--mode", "500", "--mode", "100"});
  EXPECT_EQ(run.status, kExitUsage);
  EXPECT_EQ(run.err.Text(),
            "zade-config: option '--mode' given twice\nTry 'zade-config --help'.\n");
  EXPECT_EQ(run.log, "");
}

TEST(OneShot, PortAloneRunsTheDialogueFromTheMenuNamingThatPort) {
  OneShotRun run;
  run.port.unopenable = "\\\\.\\COM12";
  run.Go({"--port", "com12"}, PortStyle::Windows, "1\n");
  EXPECT_EQ(run.status, kExitFailed);
  EXPECT_EQ(run.log.find("3.Enter COM port number"), std::string::npos);
  EXPECT_NE(run.log.find("0 - Exit"), std::string::npos);
  EXPECT_NE(run.log.find("Error: COM12 in use or does not exist.\nPress Enter..."),
            std::string::npos);
}

TEST(OneShot, ListNamesWhoHoldsAPort) {
  OneShotRun run;
  run.present->Add(LinuxPort("/dev/ttyUSB0", true));
  run.present->Add(LinuxPort("/dev/ttyUSB1", true));
  run.lookups.holder = FakeLocker;
  run.Go({"--list-ports"}, PortStyle::Posix);
  EXPECT_EQ(run.out.Text(),
            "/dev/ttyUSB0\tUSB :, answer 1 in the dialogue (COM1), held by minicom (process 42)\n"
            "/dev/ttyUSB1\tUSB :, answer 2 in the dialogue (COM2)\n");
}

TEST(OneShot, ListWithNoPortSaysSoOnTheErrorStream) {
  OneShotRun run;
  run.Go({"--list-ports"});
  EXPECT_EQ(run.status, kExitDone);
  EXPECT_EQ(run.out.Text(), "");
  EXPECT_EQ(run.err.Text(), "zade-config: no serial port found\n");
}

// Output that cannot be written: every form says so where it still can, and
// ends with 1, also after the adapter took the mode. A full stream that gets
// nothing is no error.
TEST(WriteErrors, EveryFormReportsOutputThatCouldNotBeWritten) {
  struct Form {
    std::vector<const char*> args;
    bool fullOutput;  // else the error stream is full
    int status;
  };
  const Form forms[] = {
      {{"--version"}, true, kExitError},
      {{"--help"}, true, kExitError},
      {{"--list-ports"}, true, kExitError},
      {{"--port", "COM3", "--mode", "100"}, true, kExitError},
      {{"--bogus"}, false, kExitError},
      {{"--port", "COM3", "--mode", "500"}, false, kExitError},  // "Asked for" is lost
      {{"--version"}, false, kExitDone},
  };
  for (const Form& form : forms) {
    OneShotRun run;
    run.adapter.replyByte3 = 0xF6;  // reports 9
    run.present->Add(WindowsPort("COM3", "\\Device\\Serial0"));
    std::FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    (form.fullOutput ? run.outFile : run.errFile) = full;
    run.Go(form.args);
    std::fclose(full);
    const std::string what = std::string(form.args[0]) + (form.fullOutput ? " >" : " 2>");
    EXPECT_EQ(run.status, form.status) << what << "/dev/full";
    if (form.fullOutput) {
      EXPECT_EQ(run.err.Text(), "zade-config: write error: No space left on device\n") << what;
    }
  }
}

}  // namespace
