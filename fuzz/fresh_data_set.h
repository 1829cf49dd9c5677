// A fresh data set for every input without initialising it anew each time: the set is initialised once and its
// image (storage and change lists) copied back before each input, which takes a small part of the time.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "model/data_set.h"
#include "model/element_access.h"

namespace fuzz {

inline void FreshDataSet(std::uint8_t set) {
  static std::array<std::optional<model::ProjectDataSet>, 2> pristine;
  if (set >= pristine.size()) std::abort();
  auto& image = pristine[set];
  if (!image) {
    if (model::InitDataSet(set) != 0) std::abort();
    image = *model::DataSetSlot(set);
  }
  *model::DataSetSlot(set) = *image;
  model::ClearPreviousElementValue();
}

}  // namespace fuzz
