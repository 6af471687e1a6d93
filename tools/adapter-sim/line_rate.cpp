// Apart from adapter_sim.cpp because the kernel's termios2 header cannot
// share a file with the C library's termios.h.
#include "line_rate.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

// A client may set the rate by its number (BOTHER and c_ospeed, as Wine 10
// does) or by a Bnnn code; the kernel keeps the number in c_ospeed either
// way, while cfgetospeed would only see BOTHER in the first case.
long line_rate(int fd) {
  termios2 settings = {};
  if (ioctl(fd, TCGETS2, &settings) != 0) return -1;
  return static_cast<long>(settings.c_ospeed);
}
