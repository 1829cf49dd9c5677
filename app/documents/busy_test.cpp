// The busy test.
#include "app/documents/busy_test.h"

namespace app {
namespace {

int g_running = 0;

}  // namespace

bool CommandBusy() { return g_running > 0; }

BusyGuard::BusyGuard() { ++g_running; }

BusyGuard::~BusyGuard() { --g_running; }

}  // namespace app
