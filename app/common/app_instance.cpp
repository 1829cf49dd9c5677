// The program's instance.
#include "app/common/app_instance.h"

namespace app {
namespace {

HINSTANCE g_instance = nullptr;

}  // namespace

HINSTANCE AppInstance() { return g_instance; }

void SetAppInstance(HINSTANCE instance) { g_instance = instance; }

}  // namespace app
