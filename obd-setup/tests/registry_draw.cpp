#include "registry_draw.h"

#include <cctype>
#include <map>
#include <string>

#include "fake_registry.h"

using fake::Registry;
using fake::RegistryValue;

std::uint32_t DrawVersionWord(Random& random) {
  if (random.Percent(20)) return random.Word() | 0x80000000u;
  static const std::uint32_t kMajors[] = {3, 4, 5, 6, 10};
  const std::uint32_t major = random.Percent(80) ? random.Pick(kMajors) : random.Byte();
  const std::uint32_t minor = random.Percent(70) ? random.Below(4) : random.Byte();
  const std::uint32_t build = random.Below(0x8000);  // bit 31 set would mean not NT
  return major | minor << 8 | build << 16;
}

namespace {

constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegBinary = 3;

std::string DrawBytes(Random& random, std::uint32_t count) {
  std::string bytes;
  for (; count > 0; --count) bytes += static_cast<char>(random.Byte());
  return bytes;
}

std::uint32_t DrawType(Random& random) {
  static const std::uint32_t kTypes[] = {kRegSz, 2, kRegBinary, kRegDword, 7, 11};
  return random.Percent(90) ? random.Pick(kTypes) : random.Word();
}

std::string MixedCase(Random& random, std::string text) {
  for (char& c : text) {
    if (random.Percent(50)) {
      c = static_cast<char>(std::isupper(c) ? std::tolower(c) : std::toupper(c));
    }
  }
  return text;
}

RegistryValue DrawGroup(Random& random) {
  std::string text;
  if (random.Percent(35)) {
    text = MixedCase(random, kExpectedGroup);
  } else {
    // Around the room the program gives the value, or any length.
    static const std::uint32_t kLengths[] = {kGroupRoom - 2, kGroupRoom - 1, kGroupRoom,
                                             kGroupRoom + 1};
    const std::uint32_t length = random.Percent(60) ? random.Pick(kLengths) : random.Below(48);
    for (std::uint32_t i = 0; i < length; ++i) {
      text += static_cast<char>(random.Percent(80) ? 'A' + random.Below(58) : random.Byte());
    }
  }
  const bool terminated = random.Percent(70);
  return fake::Bytes(random.Percent(80) ? kRegSz : DrawType(random),
                     terminated ? text + '\0' : text);
}

RegistryValue DrawDword(Random& random, std::uint32_t expected) {
  if (random.Percent(25)) return fake::Bytes(DrawType(random), DrawBytes(random, random.Below(9)));
  static const std::uint32_t kNear[] = {0, 1, 2, 8, 16, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu};
  if (random.Percent(50)) return fake::Dword(expected);
  return fake::Dword(random.Percent(50) ? random.Pick(kNear) : random.Word());
}

}  // namespace

void DrawRegistry(Random& random) {
  fake::FakeRegistry& registry = Registry();
  registry.keyExists = random.Percent(85);
  registry.openFails = random.Percent(5);
  registry.createFails = random.Percent(20);
  registry.writeFails = random.Percent(20);
  const std::map<std::string, RegistryValue> standard = fake::StandardValues();
  // Some registries are right but for a value or two, so that every summary
  // turns up.
  const std::uint32_t drawnChance = random.Percent(40) ? 5 : 100;
  for (const char* name : kCheckNames) {
    const std::string checkName = name;
    if (!random.Percent(drawnChance)) {
      registry.values[name] = standard.at(name);
      continue;
    }
    if (random.Percent(12)) continue;
    registry.values[name] = checkName == "Group"   ? DrawGroup(random)
                            : checkName == "Start" ? DrawDword(random, 1 + random.Below(2))
                                                   : DrawDword(random, standard.at(name).bytes[0]);
  }
}
