#pragma once

#include "common/Decimal.h"

// A number written in a test the way a person types it ("6,50", "21,5") or in the C form
// ("6.5"). A text that is not a number stops the test program at once, naming it.
Decimal d(const char* texto);
