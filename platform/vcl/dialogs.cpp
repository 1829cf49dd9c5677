#include "platform/vcl/dialogs.h"

#include <vector>

#include "platform/vcl/application.h"
#include "platform/win/common_dialogs.h"
#include "platform/win/input.h"

bool TOpenDialog::Execute() {
  // "A|*.x|B|*.y" becomes the zero-separated pairs, ended by an empty string.
  std::string filter = Filter;
  for (char& c : filter)
    if (c == '|') c = '\0';
  filter.append(2, '\0');
  std::vector<char> file(4096, '\0');
  FileName.copy(file.data(), file.size() - 1);
  OPENFILENAME ofn{};
  ofn.lStructSize = sizeof ofn;
  HWND owner = GetActiveWindow();
  if (!TControl::FromHandle(owner)) {
    TForm* main = Application->MainForm();
    owner = main ? main->Handle() : nullptr;
  }
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(FilterIndex);
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.lpstrDefExt = DefaultExt.empty() ? nullptr : DefaultExt.c_str();
  ofn.Flags = Save() ? OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY : OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  const BOOL chosen = Save() ? GetSaveFileName(&ofn) : GetOpenFileName(&ofn);
  if (!chosen) return false;
  FileName = file.data();
  FilterIndex = static_cast<int>(ofn.nFilterIndex);
  return true;
}
