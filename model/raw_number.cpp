#include "model/raw_number.h"

#include <cstring>

#include "model/element_access.h"
#include "model/element_type.h"
#include "model/record_layout.h"
#include "model/saturating_cast.h"
#include "model/stored_value.h"

namespace model {

namespace {

template <typename T>
T Load(const void* p) {
  T v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

template <typename T>
void Store(void* p, T v) {
  std::memcpy(p, &v, sizeof v);
}

}  // namespace

std::int64_t LoadInteger(const void* p, std::uint8_t type) {
  switch (type) {
    case kTypeU8Unused: case kTypeU8: return Load<std::uint8_t>(p);
    case kTypeI8: return Load<std::int8_t>(p);
    case kTypeU16: return Load<std::uint16_t>(p);
    case kTypeI16: return Load<std::int16_t>(p);
    case kTypeU32: return Load<std::uint32_t>(p);
    case kTypeI32: return Load<std::int32_t>(p);
    default: return 0;
  }
}

double LoadNumber(const void* p, std::uint8_t type) {
  return LoadStoredAsDouble(static_cast<const std::uint8_t*>(p), type);
}

void StoreInteger(void* p, std::uint8_t type, std::int64_t v) {
  switch (type) {
    case kTypeU8Unused: case kTypeU8: Store(p, static_cast<std::uint8_t>(v)); break;
    case kTypeI8: Store(p, static_cast<std::int8_t>(v)); break;
    case kTypeU16: Store(p, static_cast<std::uint16_t>(v)); break;
    case kTypeI16: Store(p, static_cast<std::int16_t>(v)); break;
    case kTypeU32: Store(p, static_cast<std::uint32_t>(v)); break;
    case kTypeI32: Store(p, static_cast<std::int32_t>(v)); break;
    default: break;
  }
}

void StoreNumber(void* p, std::uint8_t type, double v) {
  if (IsFloatType(type)) {
    StoreDoubleAs(static_cast<std::uint8_t*>(p), type, v);
  } else {
    StoreInteger(p, type, SaturatingToInt64(v));
  }
}

std::uint8_t ReadRawNumber(std::uint16_t record, std::uint16_t element, std::uint8_t set, double* out) {
  const std::uint8_t type = GetElementType(record, element);
  if (type == 255) return 3;
  if (!IsNumberType(type)) return 12;
  alignas(8) unsigned char buffer[8] = {};
  const std::uint8_t status = ReadElement(record, element, buffer, kModeRaw, set);
  if (status != 0) return status;
  *out = LoadNumber(buffer, type);
  return 0;
}

std::uint8_t ReadRawInteger(std::uint16_t record, std::uint16_t element, std::uint8_t set, std::int64_t* out) {
  double value = 0.0;
  const std::uint8_t status = ReadRawNumber(record, element, set, &value);
  if (status != 0) return status;
  *out = SaturatingToInt64(value);
  return 0;
}

}  // namespace model
