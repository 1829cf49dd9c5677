// The records of each project-file mode, in the order they appear in the file.
#include <array>
#include <span>

#include "model/project_file.h"

namespace model {
namespace {

constexpr std::array<std::uint16_t, 5> kConfigurationList = {300, 3, 4, 302, 305};

constexpr std::array<std::uint16_t, 40> kProjectWriteList = {
    300, 3,  4,  302, 17, 317, 304, 15, 11, 42,  43, 40,  41, 38,  39,  53,  54,  48,  49, 34,
    35,  55, 56, 57,  58, 512, 514, 516, 518, 520, 522, 59, 60, 46, 47, 454, 33, 458, 52, 347};

constexpr std::array<std::uint16_t, 42> kProjectReadList = {
    300, 3,  4,  302, 17, 317, 304, 15, 11, 42,  43, 40,  41,  38,  39,  53, 54,  48, 49,  34,  35,
    55,  56, 57, 58,  512, 514, 516, 518, 520, 522, 59, 60, 46, 47, 254, 251, 454, 33, 458, 52, 347};

constexpr std::array<std::uint16_t, 54> kReverseDocWriteList = {
    300, 3,   4,   302, 17,  317, 5,   15,  11,  450, 32,  42,  43,  40,  41,  38,  39,  53,
    54,  48,  49,  34,  35,  55,  56,  57,  58,  336, 337, 338, 339, 340, 341, 342, 343, 344,
    345, 346, 512, 514, 516, 518, 520, 522, 59,  60,  46,  47,  33,  458, 52,  454, 453, 347};

constexpr std::array<std::uint16_t, 56> kReverseDocReadList = {
    300, 3,   4,   302, 17,  317, 5,   15,  11,  254, 251, 450, 32,  42,  43,  40,  41,  38,  39,
    53,  54,  48,  49,  34,  35,  55,  56,  57,  58,  336, 337, 338, 339, 340, 341, 342, 343, 344,
    345, 346, 512, 514, 516, 518, 520, 522, 59,  60,  46,  47,  33,  458, 52,  454, 453, 347};

constexpr std::array<std::uint16_t, 4> kOpenList = {300, 3, 4, 302};

}  // namespace

std::span<const std::uint16_t> ProjectRecordList(std::uint8_t mode) {
  switch (mode) {
    case kProjectWriteConfiguration:
    case kProjectReadConfiguration: return kConfigurationList;
    case kProjectWriteProject: return kProjectWriteList;
    case kProjectReadProject: return kProjectReadList;
    case kProjectWriteReverseDoc: return kReverseDocWriteList;
    case kProjectReadReverseDoc: return kReverseDocReadList;
    case kProjectOpen: return kOpenList;
    default: return {};
  }
}

}  // namespace model
