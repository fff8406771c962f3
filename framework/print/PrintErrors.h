#pragma once

#include "framework/rtl/Exceptions.h"

// Printing failed: a file that cannot be written, a queue that refuses the job, a call out of
// order.
LUM_DECLARE_EXCEPTION(EPrinter, Exception);
