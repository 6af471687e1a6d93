#include "dialogue_draw.h"

#include "mode_exchange.h"
#include "random.h"
#include "session_runner.h"

namespace {

constexpr char kWhiteSpace[] = " \t\n\r\v\f";

bool IsWhiteSpace(char c) {
  return c != '\0' && std::string(kWhiteSpace).find(c) != std::string::npos;
}

// A letter, digit, white space, control byte or byte of 0x80 and above.
char DrawCharacter(Random& random) {
  switch (random.Below(5)) {
    case 0:
      return static_cast<char>((random.Percent(50) ? 'a' : 'A') + random.Below(26));
    case 1:
      return static_cast<char>('0' + random.Below(10));
    case 2:
      return kWhiteSpace[random.Below(sizeof kWhiteSpace - 1)];
    case 3: {
      const std::uint32_t control = random.Below(33);
      return static_cast<char>(control == 32 ? 0x7F : control);
    }
    default:
      return static_cast<char>(0x80 + random.Below(128));
  }
}

char DrawAnswer(Random& random) {
  char answer = DrawCharacter(random);
  while (IsWhiteSpace(answer)) answer = DrawCharacter(random);
  return answer;
}

std::string DrawCharacters(Random& random, std::uint32_t most) {
  std::string drawn;
  for (std::uint32_t n = random.Below(most + 1); n > 0; --n) drawn += DrawCharacter(random);
  return drawn;
}

std::string DrawSeparator(Random& random) {
  std::string separator;
  for (std::uint32_t n = random.Below(4); n > 0; --n) {
    separator += kWhiteSpace[random.Below(sizeof kWhiteSpace - 1)];
  }
  return separator;
}

// Mostly answers in the dialogue's order with noise around them, so that
// sessions reach every question; sometimes anything at all. Either may end
// at any point.
std::string DrawTyped(Random& random) {
  if (random.Percent(25)) return DrawCharacters(random, 40);
  static const char kModes[] = {'0', '1', '9'};
  std::string typed = DrawSeparator(random) + DrawAnswer(random);
  for (std::uint32_t others = random.Below(4); others > 0; --others) {
    typed += DrawSeparator(random) + DrawAnswer(random);
  }
  typed += DrawSeparator(random) + (random.Percent(85) ? '1' : '0');
  typed += DrawSeparator(random) + (random.Percent(50) ? random.Pick(kModes) : DrawAnswer(random));
  typed += DrawCharacters(random, 6);
  if (random.Percent(30)) typed.resize(random.Below(static_cast<std::uint32_t>(typed.size()) + 1));
  return typed;
}

// Just under or over one of the read timeouts: a drain byte's, the gap
// allowed between two bytes of a frame, and a whole frame's.
std::uint64_t DrawDelayUs(Random& random) {
  static const std::uint64_t kTimeoutsUs[] = {2 * kDrainTimeoutMs * 1000, kExchangeTimeoutMs * 1000,
                                              (5 + 1) * kExchangeTimeoutMs * 1000};
  if (random.Percent(25)) return random.Below(4'000'000);
  if (random.Percent(10)) return 0;
  const std::uint64_t timeoutUs = random.Pick(kTimeoutsUs);
  return random.Percent(50) ? timeoutUs + 1 : timeoutUs - 1;
}

LineTiming DrawTiming(Random& random) {
  LineTiming timing;
  timing.firstByteUs = DrawDelayUs(random);
  if (random.Percent(40)) timing.byteGapUs = DrawDelayUs(random);
  if (random.Percent(30)) {
    timing.stallBefore = random.Below(16);
    timing.stallUs = DrawDelayUs(random);
  }
  if (random.Percent(12)) {
    // A byte time at full speed, or around the drain's wait for one byte.
    static const std::uint64_t kBabbleGapsUs[] = {87, 1000, 1999, 2001};
    timing.babbleGapUs = random.Pick(kBabbleGapsUs);
  }
  return timing;
}

std::vector<std::uint8_t> DrawBytes(Random& random, std::uint32_t count) {
  std::vector<std::uint8_t> bytes(count);
  for (std::uint8_t& byte : bytes) byte = random.Byte();
  return bytes;
}

}  // namespace

DrawnSession Draw(std::uint64_t seed) {
  Random random(seed);
  DrawnSession drawn;
  drawn.typed = DrawTyped(random);
  drawn.adapterPresent = random.Percent(85);
  drawn.adapter.echoes = random.Percent(85);
  if (random.Percent(20)) drawn.adapter.between = DrawBytes(random, random.Between(1, 8));
  if (random.Percent(25)) drawn.adapter.replyBytes = random.Below(5);
  if (random.Percent(40)) drawn.adapter.replyByte3 = random.Byte();
  drawn.timing = DrawTiming(random);
  if (random.Percent(35)) {
    // A few bytes, or about as many as the drain takes at most.
    const std::uint32_t count =
        random.Percent(80) ? random.Between(1, 20) : random.Between(kDrainMaxBytes - 8, 6000);
    drawn.stale = DrawBytes(random, count);
  }
  drawn.portMissing = random.Percent(8);
  // A third of the sessions see the millisecond tick wrap.
  const std::uint64_t startMs =
      random.Percent(30) ? (std::uint64_t{1} << 32) - random.Between(1, 8000) : random.Word();
  drawn.clockStartUs = startMs * 1000 + random.Below(1000);
  return drawn;
}

std::string Describe(const DrawnSession& drawn) {
  using std::to_string;
  const FakeAdapter& adapter = drawn.adapter;
  const LineTiming& timing = drawn.timing;
  std::string text = "  typed: \"" + Printable(drawn.typed) + "\"\n  adapter: ";
  text += drawn.adapterPresent
              ? "echoes " + to_string(adapter.echoes) + ", " + to_string(adapter.between.size()) +
                    " bytes between, " + to_string(adapter.replyBytes) +
                    " reply bytes, reply byte 3 " + to_string(adapter.replyByte3)
              : "silent";
  text += "\n  line: first byte after " + to_string(timing.firstByteUs) + " us, then one every " +
          to_string(timing.byteGapUs) + " us";
  if (timing.stallUs > 0) {
    text +=
        ", " + to_string(timing.stallUs) + " us more before byte " + to_string(timing.stallBefore);
  }
  if (timing.babbleGapUs > 0) text += ", babble every " + to_string(timing.babbleGapUs) + " us";
  return text + "\n  " + to_string(drawn.stale.size()) + " stale bytes, port missing " +
         to_string(drawn.portMissing) + ", clock at " + to_string(drawn.clockStartUs) + " us\n";
}

// The characters the dialogue's answers take from `typed`, in order.
std::string Answers(const std::string& typed) {
  std::string answers;
  for (const char c : typed) {
    if (!IsWhiteSpace(c)) answers += c;
  }
  return answers;
}
