// ReadConvertedSetValue: the torque limits of a parameter set, converted for the monitor and the scope.
#include "model/element_type.h"
#include "model/raw_number.h"
#include "model/value_converters.h"

namespace model {

std::uint8_t ReadConvertedSetValue(std::uint16_t record, std::uint16_t element, double* out, std::uint8_t set) {
  if ((record != 40 && record != 41) || (element != 2 && element != 4)) return 3;
  double stored = 0.0;
  const std::uint8_t read = ReadRawNumber(record, element, set, &stored);
  if (read != 0) return read;
  return ConvTorque(&stored, out, 0.0, kTypeI16, 2, 1, set, record);
}

}  // namespace model
