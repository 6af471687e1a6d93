#include "windows_class.h"

#include <gtest/gtest.h>

#include <string>

#include "output_capture.h"

namespace {

std::uint32_t NtVersion(unsigned major, unsigned minor, unsigned build) {
  return major | (minor << 8) | (build << 16);
}

struct Case {
  std::uint32_t versionWord;
  WindowsClass expected;
  const char* line;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << "version word 0x" << std::hex << c.versionWord;
}

class ClassifyWindowsTest : public testing::TestWithParam<Case> {};

TEST_P(ClassifyWindowsTest, ClassAndVersionLine) {
  OutputCapture out;
  EXPECT_EQ(ClassifyWindows(GetParam().versionWord, out.file()), GetParam().expected);
  EXPECT_EQ(out.Text(), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(NotNtWhateverTheOtherBits, ClassifyWindowsTest,
                         testing::Values(Case{0x80000000u, WindowsClass::NotNt, "Windows 95\n\n"},
                                         Case{0xC0000A04u, WindowsClass::NotNt,
                                              "Windows 95\n\n"},  // 98: 4.10
                                         Case{0x80000004u, WindowsClass::NotNt, "Windows 95\n\n"},
                                         Case{0xFFFFFFFFu, WindowsClass::NotNt, "Windows 95\n\n"},
                                         Case{0xC0005A04u, WindowsClass::NotNt, "Windows 95\n\n"}));

INSTANTIATE_TEST_SUITE_P(Nt4, ClassifyWindowsTest,
                         testing::Values(Case{NtVersion(4, 0, 1381), WindowsClass::Nt4,
                                              "Windows NT Version 4.0 Build 1381\n\n"},
                                         Case{NtVersion(3, 51, 1057), WindowsClass::Nt4,
                                              "Windows NT Version 3.51 Build 1057\n\n"}));

INSTANTIATE_TEST_SUITE_P(Win2000WhenMinorIsZero, ClassifyWindowsTest,
                         testing::Values(Case{NtVersion(5, 0, 2195), WindowsClass::Win2000,
                                              "Windows 2000 Version 5.0 Build 2195\n\n"},
                                         Case{NtVersion(6, 0, 6002), WindowsClass::Win2000,
                                              "Windows 2000 Version 6.0 Build 6002\n\n"},
                                         Case{NtVersion(10, 0, 19045), WindowsClass::Win2000,
                                              "Windows 2000 Version 10.0 Build 19045\n\n"}));

INSTANTIATE_TEST_SUITE_P(
    WinXpForAnyOtherMinor, ClassifyWindowsTest,
    testing::Values(
        Case{NtVersion(5, 1, 2600), WindowsClass::WinXp, "Windows XP Version 5.1 Build 2600\n\n"},
        Case{NtVersion(5, 2, 3790), WindowsClass::WinXp, "Windows XP Version 5.2 Build 3790\n\n"},
        Case{NtVersion(6, 1, 7601), WindowsClass::WinXp, "Windows XP Version 6.1 Build 7601\n\n"},
        Case{NtVersion(6, 3, 9600), WindowsClass::WinXp, "Windows XP Version 6.3 Build 9600\n\n"},
        // The whole build field, up to bit 30.
        Case{NtVersion(6, 2, 0x7FFF), WindowsClass::WinXp,
             "Windows XP Version 6.2 Build 32767\n\n"}));

}  // namespace
