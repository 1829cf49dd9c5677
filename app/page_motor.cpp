// The B.. Motor page: the frame's page on the motor record of parameter set 1 or 2 (template 53 on family 2).
#include "app/parameter_pages.h"

namespace app {

const ParameterPage kMotorPage{16, 53, {.set1 = 15, .set2 = 16, .family2_set1 = 84, .family2_set2 = 85}};

INT_PTR OpenMotorDialog() { return RunParameterPage(kMotorPage); }

}  // namespace app
