#include "page_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles.h"

namespace {

TEST(Page, ItsTextsWithoutTheWindowsMnemonics) {
  EXPECT_STREQ(PageTextFor(Language::English, PageTextKey::PortLabel).c_str(), "Port:");
  EXPECT_STREQ(PageTextFor(Language::German, PageTextKey::ModeOff).c_str(), "CAN aus");
  EXPECT_STREQ(PageTextFor(Language::French, PageTextKey::Write).c_str(), "Écrire");
  EXPECT_STREQ(PageTextFor(Language::German, PageTextKey::ChoosePort).c_str(), "Anschluss wählen…");
  for (const Language language : {Language::English, Language::German, Language::French}) {
    for (int key = 0; key < kPageTextCount; ++key) {
      const PageText text = PageTextFor(language, static_cast<PageTextKey>(key));
      EXPECT_FALSE(text.empty()) << key;
      EXPECT_EQ(std::string(text.c_str()).find('&'), std::string::npos) << text.c_str();
    }
  }
}

TEST(Page, APortByItsPlaceWithItsUsbIdentityWhereTheBrowserGivesIt) {
  EXPECT_STREQ(PagePortEntry(Language::English, 1, 0x0403, 0x6001).c_str(),
               "Port 1 - USB 0403:6001");
  EXPECT_STREQ(PagePortEntry(Language::German, 2, 0x067B, 0x2303).c_str(),
               "Anschluss 2 - USB 067b:2303");
  EXPECT_STREQ(PagePortEntry(Language::French, 3, -1, -1).c_str(), "Port 3");
  EXPECT_STREQ(PagePortEntry(Language::English, 4, 0x10000, 1).c_str(), "Port 4")
      << "no USB identity has more than four hex digits";
  EXPECT_STREQ(PageWritingText(Language::English, 1, 1).c_str(),
               "Writing 100 kbit/s (K-CAN) to Port 1...");
  EXPECT_STREQ(PageWritingText(Language::German, 2, 2).c_str(),
               "CAN aus wird auf Anschluss 2 geschrieben...");
}

// The run's lines name the port as the page lists it.
TEST(Page, TheRunNamesThePortAsThePageDoes) {
  std::string log;
  FakePort port(log);
  FakeAdapter adapter;
  port.adapter = &adapter;
  const OneShotOutcome done = SetModeFromPage(port, Language::German, 1, 2);
  EXPECT_EQ(done.status, kExitDone);
  EXPECT_STREQ(ResultLines(done, Language::German).c_str(),
               "Anschluss 2: CAN-Bus-Modus 9: 100 kbit/s (K-CAN)\n");
  EXPECT_EQ(port.written, (std::vector<std::uint8_t>{0x81, 0x00, 0x00, 0x09, 0x8A}));
}

}  // namespace
