#pragma once

// Milliseconds since this process started, from the kernel's record of its start (a
// resolution of one clock tick, usually 10 ms); negative when that cannot be read.
double MillisecondsSinceProcessStart();
