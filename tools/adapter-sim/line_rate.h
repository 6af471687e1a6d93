// The line's output rate in baud, as the kernel stores it, or -1.
#pragma once

long line_rate(int fd);
