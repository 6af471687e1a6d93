#include "dialogue.h"

#include <gtest/gtest.h>

#include <string>

#include "doubles.h"

namespace {

const std::string kClear = "[move 0,0][blanks]";
const std::string kHome = "[move 0,0]";
const std::string kBanner = kClear + kHome +
                            "                   ORX D-CAN USB INTERFACE                   \n"
                            "                       www.example.com                      \n"
                            "------------------------------------------------------------\n"
                            "           1 - Write config.        0 - Exit                \n"
                            "------------------------------------------------------------\n";
const std::string kPortQuestion =
    kClear + kHome +
    "1.Connect D-CAN adapter to USB port\n2.Connect D-CAN adapter to car OBD connector.\n"
    "3.Enter COM port number '1,2,3...': [read]";
const std::string kCanModeScreen =
    kClear + kHome +
    "\n------------ CAN MODE ------------\n"
    "1 = 500 kbit/s D-CAN and PTCAN\n9 = 100 kbit/s K-CAN\n0 = CAN OFF\n"
    "----------------------------------\n"
    "Input CAN BUS MODE : [read]\n";
const std::string kNoAnswerEnd = "\nNo answer read: nothing was sent to the adapter.\n";

std::string MenuAnswer(const std::string& port) {
  return "[read]" + kClear + kBanner + "[close][open " + port + " 115200 2000]";
}

struct DialogueRun {
  std::string log;
  FakeConsole console;
  FakePort port{log};
  FakeAdapter adapter;
  int status = 1234;

  explicit DialogueRun(const std::string& typed) : console(typed, log) { port.adapter = &adapter; }
  DialogueRun& Go() {
    status = RunDialogue(port, console);
    return *this;
  }
};

TEST(Dialogue, TypicalRunShowsEveryScreenInOrder) {
  DialogueRun run("2\n1\n9\n");
  run.Go();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.log,
            kPortQuestion + kBanner + MenuAnswer("COM2") + "[timeouts 1][timeouts 500]" +
                kCanModeScreen + kClear + kHome +
                "\nOK!!!\nCAN BUS mode =  9    ( 100 kbit/s - K-CAN )\nPress Enter...[wait]");
  EXPECT_EQ(run.port.written, (std::vector<std::uint8_t>{0x81, 0x00, 0x00, 0x09, 0x8A}));
}

TEST(Dialogue, ResultScreenShowsTheReportedMode) {
  struct Case {
    const char* typed;
    int replyByte3;
    const char* shown;
  } cases[] = {
      {"3 1 1", -1, "CAN BUS mode =  1    ( 500 kbit/s - D-CAN and PT-CAN )\n"},
      {"3 1 0", -1, "CAN BUS mode =  0    ( CAN OFF )\n"},
      {"3 1 9", 0x00, "CAN BUS mode = FF\n"},
      {"3 1 A", -1, "CAN BUS mode = 11\n"},
  };
  for (const Case& c : cases) {
    DialogueRun run(c.typed);
    run.adapter.replyByte3 = c.replyByte3;
    run.Go();
    EXPECT_EQ(run.status, 0) << c.typed;
    EXPECT_NE(run.console.screen.find(std::string("\nOK!!!\n") + c.shown + "Press Enter..."),
              std::string::npos)
        << run.console.screen;
  }
}

TEST(Dialogue, ModeCharacterIsSentAsItComes) {
  DialogueRun run("1 1 A");
  run.Go();
  EXPECT_EQ(run.port.written, (std::vector<std::uint8_t>{0x81, 0x00, 0x00, 0x11, 0x92}));
}

TEST(Dialogue, MenuReopensThePortAfterEveryAnswer) {
  DialogueRun exitAtOnce("4\n0\n");
  exitAtOnce.Go();
  EXPECT_EQ(exitAtOnce.status, 0);
  EXPECT_EQ(exitAtOnce.log, kPortQuestion + kBanner + MenuAnswer("COM4"));  // no key wait
  EXPECT_TRUE(exitAtOnce.port.written.empty());

  DialogueRun otherThenWrite("2\n5\n1\n9\n");
  otherThenWrite.Go();
  EXPECT_EQ(otherThenWrite.status, 0);
  EXPECT_EQ(otherThenWrite.log.substr(
                0, (kPortQuestion + kBanner + MenuAnswer("COM2") + MenuAnswer("COM2") +
                    "[timeouts 1][timeouts 500]" + kCanModeScreen)
                       .size()),
            kPortQuestion + kBanner + MenuAnswer("COM2") + MenuAnswer("COM2") +
                "[timeouts 1][timeouts 500]" + kCanModeScreen);
}

TEST(Dialogue, OneLineCanAnswerSeveralQuestions) {
  DialogueRun run("10\n");  // port COM1, menu answer 0
  run.Go();
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.log, kPortQuestion + kBanner + MenuAnswer("COM1"));

  DialogueRun blankLines("\n\n   \n3\n\n\n0\n");
  blankLines.Go();
  EXPECT_EQ(blankLines.log, kPortQuestion + kBanner + MenuAnswer("COM3"));
}

TEST(Dialogue, PortThatCannotBeOpenedEndsWithTheOpenError) {
  DialogueRun run("x\n1\n");
  run.port.unopenable = "COMx";
  run.Go();
  EXPECT_EQ(run.status, -1);
  EXPECT_EQ(run.log, kPortQuestion + kBanner + MenuAnswer("COMx") +
                         "Error: COMx in use or does not exist.\nPress Enter...[wait]");

  DialogueRun exitAnswer("x0");  // even the exit answer reopens the port first
  exitAnswer.port.unopenable = "COMx";
  exitAnswer.Go();
  EXPECT_EQ(exitAnswer.status, -1);
  EXPECT_EQ(exitAnswer.console.waits, 1);
}

TEST(Dialogue, AdapterThatDoesNotAnswerEndsWithTheNoAnswerError) {
  DialogueRun run("2 1 9");
  run.port.adapter = nullptr;
  run.Go();
  EXPECT_EQ(run.status, -1);
  const std::string tail =
      kCanModeScreen + "\nError, adapter not conected!!!\nPress Enter...[wait]";
  ASSERT_GE(run.log.size(), tail.size());
  EXPECT_EQ(run.log.substr(run.log.size() - tail.size()), tail);  // the screen is not cleared
  EXPECT_EQ(run.port.written.size(), 5u);
}

TEST(Dialogue, StaleBytesFromTheDeviceDoNotReachTheExchange) {
  DialogueRun run("2 1 9");
  run.port.staleOnOpen = {0x81, 0x00, 0x00, 0x01, 0x82, 0xEE, 0xEE};
  run.Go();
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.console.screen.find("CAN BUS mode =  9    ( 100 kbit/s - K-CAN )"),
            std::string::npos);
}

TEST(Dialogue, EndOfInputEndsTheDialogueAtEveryQuestion) {
  // Port question: the name stays COM1 and the menu is asked; its answer is missing too.
  DialogueRun atPort("");
  atPort.Go();
  EXPECT_EQ(atPort.status, -1);
  EXPECT_EQ(atPort.log, kPortQuestion + kBanner + "[read]" + kNoAnswerEnd);

  DialogueRun atMenuAfterOtherAnswer("2\n5\n");
  atMenuAfterOtherAnswer.Go();
  EXPECT_EQ(atMenuAfterOtherAnswer.status, -1);
  EXPECT_EQ(atMenuAfterOtherAnswer.log,
            kPortQuestion + kBanner + MenuAnswer("COM2") + "[read]" + kNoAnswerEnd);

  DialogueRun atMode("2\n1\n\n");
  atMode.Go();
  EXPECT_EQ(atMode.status, -1);
  EXPECT_TRUE(atMode.port.written.empty());
  EXPECT_EQ(atMode.console.waits, 0);
  const std::string tail = kCanModeScreen.substr(0, kCanModeScreen.size() - 1) + kNoAnswerEnd;
  EXPECT_EQ(atMode.log.substr(atMode.log.size() - tail.size()), tail);
}

}  // namespace
