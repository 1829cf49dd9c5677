// The virtual X server of the tests lives in the shared test helper; this name stays for the tests that include it.
#pragma once

#include "tests/support/xvfb.h"
