// Save as for one file slot.
#include "app/file_save.h"

#include <array>

#include "app/shell_state.h"
#include "model/data_set.h"
#include "model/message_show.h"
#include "model/project_file.h"

namespace app {
namespace {

constexpr std::uint16_t kKindReverseDoc = 18;
constexpr std::int8_t kFileGroup = 5;

}  // namespace

bool SaveFileSlotAs(std::uint8_t set) {
  const bool reverse_doc = model::GetFileTypeCode(set) == kKindReverseDoc;
  std::array<char, model::kProjectPathLimit> path{};
  // The filter's pairs are separated by NULs and end in two.
  static constexpr char kProjectFilter[] = "Projecting-file\0*.ZPR\0";
  static constexpr char kReverseDocFilter[] = "Reverse-docu.-file\0*.ZPR\0";
  OPENFILENAME request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = MainWindow();
  request.lpstrFilter = reverse_doc ? kReverseDocFilter : kProjectFilter;
  request.lpstrFile = path.data();
  request.nMaxFile = static_cast<DWORD>(path.size());
  request.lpstrDefExt = "ZPR";
  request.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (!GetSaveFileName(&request)) return false;
  const std::uint8_t mode = reverse_doc ? model::kProjectWriteReverseDoc : model::kProjectWriteProject;
  if (const std::uint8_t code = model::SaveProjectFile(mode, set, path.data(), true); code != model::kFileDone) {
    model::ShowMessage(model::kShowFault, kFileGroup, code);
    return false;
  }
  return true;
}

}  // namespace app
