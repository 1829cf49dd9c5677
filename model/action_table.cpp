// ActionTable: the after-write actions that a layout row names by its action index.
#include "model/after_write_actions.h"
#include "model/default_function_tables.h"

namespace model {

extern const ActionTableType kDefaultActionTable = {
    &NoAction,                    // 0
    &OnMotorTypeChanged,          // 1
    &OnBrakeResistorChanged,      // 2
    &OnDeviceIdentChanged,        // 3
    &RecalcMotorDerivedValues,    // 4
    &OnMotorDataTransferred,      // 5
    &RecalcAccelTimes,            // 6
    &LimitScopeChannels,          // 7
    &StampInternalChecksum,       // 8
    &OnVersionChanged,            // 9
    &OnDeviceFamilyChanged,       // 10
    &OnRunModeChanged,            // 11
    &OnOptionBoardChanged,        // 12
    &RecalcRecord55Derived,       // 13
    &RecalcDerivedFrom512And514,  // 14
    &OnE59Changed,                // 15
};
static_assert(std::tuple_size_v<ActionTableType> == 16);

}  // namespace model
