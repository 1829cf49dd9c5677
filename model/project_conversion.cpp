// ConvertToProjectType: the file kind of a data set, and turning reverse documentation into a project.
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "model/data_set.h"
#include "model/element_access.h"
#include "model/element_type.h"
#include "model/function_tables.h"
#include "model/stored_value.h"
#include "model/target_version.h"

namespace model {
namespace {

constexpr std::uint8_t kDeviceTypeConverter = 7;

const char* FileKindName(std::uint16_t kind) { return kind == kFileKindProject ? "Projekt._ZPR" : "Rueckdoku_ZPR"; }

// A number element of a record image, read and written by its type; false when absent or not a number.
bool ImageNumber(const std::vector<std::uint8_t>& image, std::uint16_t record, std::uint16_t element,
                 double* value) {
  const std::uint8_t type = GetElementType(record, element);
  if (!IsNumberType(type) || element + ElementTypeSize(type) > image.size()) return false;
  *value = LoadStoredAsDouble(image.data() + element, type);
  return true;
}

void SetImageNumber(std::vector<std::uint8_t>& image, std::uint16_t record, std::uint16_t element, double value) {
  const std::uint8_t type = GetElementType(record, element);
  if (IsNumberType(type) && element + ElementTypeSize(type) <= image.size()) {
    StoreDoubleAs(image.data() + element, type, value);
  }
}

// Reads an element raw as a number; false on any failure.
bool ReadRawNumber(std::uint16_t record, std::uint16_t element, std::uint8_t set, double* value) {
  const std::uint8_t type = GetElementType(record, element);
  if (!IsNumberType(type)) return false;
  std::uint8_t stored[8] = {};
  if (ReadElement(record, element, stored, kModeRaw, set) != 0) return false;
  *value = LoadStoredAsDouble(stored, type);
  return true;
}

bool WriteRawNumber(std::uint16_t record, std::uint16_t element, std::uint8_t set, double value) {
  const std::uint8_t type = GetElementType(record, element);
  if (!IsNumberType(type)) return false;
  std::uint8_t stored[8] = {};
  StoreDoubleAs(stored, type, value);
  return WriteElement(record, element, stored, kModeRaw, set) == 0;
}

// The device type through the device-type converter, stored to displayed and back.
bool NormaliseDeviceType(double* type, std::uint8_t set) {
  const std::uint8_t element_type = GetElementType(304, 1);
  const ConverterFunction convert = ConverterTable()[kDeviceTypeConverter];
  double shown = 0.0;
  if (convert(type, &shown, 0.0, element_type, 0, 1, set, 304) != 0) return false;
  double back = 0.0;
  if (convert(&shown, &back, 0.0, element_type, 0, 0, set, 304) != 0) return false;
  if (!std::isfinite(back)) return false;
  *type = back;
  return true;
}

// Steps 1 to 7 of the conversion of reverse documentation; false on the first failure.
bool ReverseDocumentationToProject(std::uint8_t set) {
  // The steps read elements 0 to 9 of the identity; an image too short for them is no identity.
  constexpr std::size_t kIdentityBytesUsed = 10;
  std::vector<std::uint8_t> ident(RecordSize(5), 0);
  if (ident.size() < kIdentityBytesUsed || RecordSize(304) != ident.size()) return false;
  if (ReadRecord(5, ident.data(), kModeRaw, set) != 0) return false;

  double device_type = 0.0;
  if (!ImageNumber(ident, 5, 1, &device_type) || !NormaliseDeviceType(&device_type, set)) return false;
  SetImageNumber(ident, 5, 1, device_type);

  double family = 0.0, board = 0.0, variant = 0.0;
  if (!ImageNumber(ident, 5, 0, &family) || !ImageNumber(ident, 5, 3, &board) ||
      !ImageNumber(ident, 5, 9, &variant)) {
    return false;
  }
  if (family == 2) {
    if (board < 10) board = 10;
  } else if (family == 3) {
    if (board < 20) board = 20;
  } else if (board > 7) {
    board = 0;
  }
  SetImageNumber(ident, 5, 3, board);
  if (variant == 1) SetImageNumber(ident, 5, 9, 0);
  if (WriteRecord(304, ident.data(), kModeRaw, set) != 0) return false;

  std::vector<char> comment(ElementTypeSize(GetElementType(317, 0)) + 1u, '\0');
  if (comment.size() < 2 || ReadElement(317, 0, comment.data(), kModeRaw, set) != 0) return false;
  if (WriteElement(15, 4, comment.data(), kModeRaw, set) != 0) return false;

  if (KeepTargetVersionInRange(set) != 0) return false;

  for (const std::uint16_t record : {std::uint16_t{40}, std::uint16_t{41}}) {
    double value = 0.0;
    if (!ReadRawNumber(record, 10, set, &value)) return false;
    if ((value == 0 || value == 254 || value == 255) && !WriteRawNumber(record, 10, set, 1)) return false;
  }
  return true;
}

}  // namespace

std::uint8_t KeepTargetVersionInRange(std::uint8_t set) {
  constexpr std::uint8_t kFailed = 3;
  double letter = 0.0;
  if (!ReadRawNumber(304, 5, set, &letter)) return kFailed;
  const std::uint8_t type = GetElementType(304, 5);
  std::uint8_t upper[8] = {};
  std::uint8_t lower[8] = {};
  if (GetElementUpperLimit(304, 5, upper, kModeRaw, set) != 0 || GetElementLowerLimit(304, 5, lower, kModeRaw, set) != 0) {
    return kFailed;
  }
  const double kept = std::clamp(letter, LoadStoredAsDouble(lower, type), LoadStoredAsDouble(upper, type));
  return kept == letter || WriteRawNumber(304, 5, set, kept) ? 0 : kFailed;
}

// Every step works on the live data set; a copy taken first is put back when any step fails, so the data set
// changes completely or not at all.
std::uint16_t ConvertToProjectType(std::uint16_t kind, std::uint8_t set) {
  if (kind != kFileKindProject && kind != kFileKindReverseDoc) return kind;
  ProjectDataSet* data = DataSetSlot(set);
  if (set > LastDataSetIndex() || !data) return 0;
  const auto saved = std::make_unique<ProjectDataSet>(*data);

  bool done = true;
  if (kind == kFileKindProject && GetFileTypeCode(set) == kFileKindReverseDoc) {
    done = ReverseDocumentationToProject(set);
  }
  if (done) {
    const std::uint16_t stored_kind = kind;
    done = WriteElement(302, 0, &stored_kind, kModeRaw, set) == 0 &&
           WriteElement(302, 2, FileKindName(kind), kModeRaw, set) == 0;
  }
  if (!done) {
    *data = *saved;
    return 0;
  }
  return kind;
}

}  // namespace model
