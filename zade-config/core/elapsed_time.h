// A millisecond tick for bounding waits. Only differences between two ticks
// mean anything; unsigned arithmetic keeps them right across a wrap.
#pragma once

#include <cstdint>

std::uint32_t MillisecondTick();
