// Standard input, output and error as a program may find them: closed by
// its caller (cron, udev, a service, some launchers).
#pragma once

// Puts /dev/null on each of descriptors 0, 1 and 2 that is closed, so that no
// file the program opens (the serial port) gets one of them. Output to a
// stream that was closed still fails (Bad file descriptor), as it would
// have, and input from it ends at once: /dev/null is opened the other way.
void KeepStandardDescriptorsTaken();
