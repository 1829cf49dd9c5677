// CheckDeviceVariant: the identity record's variant byte of a family-3 data set.
#include "app/documents/device_variant.h"

#include <array>

#include "app/documents/file_slots.h"
#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/element_access.h"

namespace app {
namespace {

constexpr std::uint8_t kFamilyPositioning = 3;
constexpr std::uint8_t kPositioningVariant = 2;
constexpr std::uint16_t kVariantElement = 9;

}  // namespace

std::uint8_t CheckDeviceVariant(std::uint8_t set) {
  if (model::GetDeviceFamily(set) != kFamilyPositioning) return 0;
  const std::uint16_t record = model::GetFileTypeCode(set) == kKindReverseDoc ? 5 : 304;
  std::array<std::uint8_t, 1100> bytes{};  // room for any element
  if (model::ReadElement(record, kVariantElement, bytes.data(), model::kModeRaw, set) != 0) return 0;
  return bytes[0] == kPositioningVariant ? 1 : 0;
}

}  // namespace app
