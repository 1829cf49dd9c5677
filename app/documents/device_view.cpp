// The device view and the enabling rules of the page commands.
#include "app/documents/device_view.h"

#include <algorithm>
#include <array>

#include "model/data_set.h"
#include "model/device_identity.h"
#include "model/raw_number.h"
#include "model/version_letter.h"

namespace app {
namespace {

constexpr std::array<std::int64_t, 8> kListedBoards = {1, 2, 4, 5, 6, 7, 12, 13};

std::int64_t RawOr0(std::uint16_t record, std::uint16_t element, std::uint8_t set) {
  std::int64_t value = 0;
  return model::ReadRawInteger(record, element, set, &value) == 0 ? value : 0;
}

bool AnyOf(unsigned id, std::initializer_list<unsigned> ids) { return std::find(ids.begin(), ids.end(), id) != ids.end(); }

}  // namespace

bool DeviceView::ListedBoard() const {
  return std::find(kListedBoards.begin(), kListedBoards.end(), board) != kListedBoards.end();
}

bool DeviceView::Positioning() const {
  if (posi_mode != 2) return false;
  return (letter >= 'B' && (family == 1 || family == 2)) || (family == 3 && family3_variant);
}

bool DeviceView::PosiVariant3() const { return posi_mode == 3 && family == 2 && letter >= 'E'; }

DeviceView ViewOfDataSet(std::uint8_t set, std::uint8_t param_set) {
  DeviceView view;
  view.kind = model::GetFileTypeCode(set);
  view.letter = model::GetVersionLetter(set);
  view.family = model::GetDeviceFamily(set);
  const std::uint16_t identity = view.kind == 18 ? 5 : 304;
  view.board = RawOr0(identity, 3, set);
  view.family3_variant = RawOr0(identity, 9, set) != 0;
  view.posi_mode = RawOr0(param_set == 1 ? 39 : 38, 56, set);
  view.access_level = RawOr0(305, 11, set);
  return view;
}

bool DeviceAllowsCommand(const DeviceView& v, unsigned id) {
  const bool p = v.Positioning();
  if (AnyOf(id, {2056, 2088})) return v.letter >= 'E';
  if (AnyOf(id, {2057, 2089})) return v.letter >= 'E' && p;
  if (AnyOf(id, {2046, 2075})) return v.family == 2 || (v.family == 1 && v.letter >= 'E');
  const bool from_b = v.letter >= 'B';
  if (AnyOf(id, {2051, 2080})) return from_b && !(v.family == 3 && !v.family3_variant);
  if (AnyOf(id, {2045, 2074})) return from_b && v.family != 3;
  if (AnyOf(id, {2055, 2087})) return from_b && v.ListedBoard();
  if (AnyOf(id, {2041, 2042, 2069, 2070})) return !from_b || !p;
  if (AnyOf(id, {2047, 2076})) return (from_b && p) || v.PosiVariant3();
  if (AnyOf(id, {2048, 2077})) return from_b && p;
  return true;
}

}  // namespace app
