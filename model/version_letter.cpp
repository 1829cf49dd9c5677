#include "model/version_letter.h"

#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/raw_number.h"

namespace model {

std::uint8_t GetVersionLetter(std::uint8_t set) {
  if (GetFileTypeCode(set) == 0) return 0;
  std::int64_t letter = 0;
  if (ReadRawInteger(IdentityRecord(set, IdentitySource::kRecord304ForProject), 5, set, &letter) != 0) return 0;
  return static_cast<std::uint8_t>(letter);
}

}  // namespace model
