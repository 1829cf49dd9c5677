#include "model/type_limits.h"

#include <cmath>

#include "model/element_type.h"

namespace model {

// Type limits of a converted value before it is stored: 5 too small, 4 too great, 0 within. The value itself is
// held against the floor, its whole part against the top, so that 255.9 still stores 255 in a byte while -0.5
// is refused. The signed 16- and 32-bit floors are one above the type's own minimum. A 32-bit float cannot hold a
// value beyond its largest.
std::uint8_t TypeLimitStatus(double v, std::uint8_t type) {
  const double whole = std::trunc(v);
  switch (type) {
    case kTypeU8Unused:
    case kTypeU8: return v < 0.0 ? 5 : (whole > 255.0 ? 4 : 0);
    case kTypeU16: return v < 0.0 ? 5 : (whole > 65535.0 ? 4 : 0);
    case kTypeU32: return v < 0.0 ? 5 : (whole > 4294967295.0 ? 4 : 0);
    case kTypeI8: return v < -128.0 ? 5 : (whole > 127.0 ? 4 : 0);
    case kTypeI16: return v < -32767.0 ? 5 : (whole > 32767.0 ? 4 : 0);
    case kTypeI32: return v < -2147483647.0 ? 5 : (whole > 2147483647.0 ? 4 : 0);
    case kTypeF32: return v < -3.4028234663852886e38 ? 5 : (v > 3.4028234663852886e38 ? 4 : 0);
    default: return 0;
  }
}

}  // namespace model
