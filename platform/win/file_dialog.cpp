// The file open and save dialogs.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/win/common_dialogs.h"
#include "platform/win/controls.h"
#include "platform/win/detail/dialog_data.h"
#include "platform/win/detail/window_table.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/layer_texts.h"
#include "platform/win/message_box.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace fs = std::filesystem;
using platform::win::LayerItems;
using platform::win::LayerText;

namespace {

DWORD g_error = 0;

struct FilterEntry {
  std::string text;
  std::string patterns;
};

std::vector<FilterEntry> ParseFilter(LPCSTR filter) {
  std::vector<FilterEntry> out;
  if (!filter) return out;
  const char* p = filter;
  // Pairs of zero-terminated strings, ended by an empty string; a bound keeps a missing end harmless.
  for (int guard = 0; *p && guard < 64; ++guard) {
    FilterEntry e;
    e.text = p;
    p += e.text.size() + 1;
    if (!*p) {
      out.push_back(e);
      break;
    }
    e.patterns = p;
    p += e.patterns.size() + 1;
    out.push_back(e);
  }
  return out;
}

bool Glob(const char* pattern, const char* name) {
  for (; *pattern; ++pattern, ++name) {
    if (*pattern == '*') {
      for (const char* rest = name;; ++rest) {
        if (Glob(pattern + 1, rest)) return true;
        if (!*rest) return false;
      }
    }
    if (!*name) return false;
    if (*pattern != '?' && std::tolower(static_cast<unsigned char>(*pattern)) != std::tolower(static_cast<unsigned char>(*name)))
      return false;
  }
  return *name == '\0';
}

// A row of the list: a folder ("[name]", "[..]" for the one above) or a file.
struct ListEntry {
  std::string name;
  bool folder = false;
};

struct FileDialogState {
  OPENFILENAME* ofn = nullptr;
  platform::win::FileDialogRequest request;
  std::vector<FilterEntry> filters;
  std::string dir;
  std::string typed_pattern;  // a pattern typed into the name field ("*.txt") rules until the filter changes
  std::vector<ListEntry> entries;
  // A folder of the list was marked since the name was last typed: Return (OK) goes into it.
  bool folder_marked = false;
};

std::string Native(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

// The folders and the matching files of a folder, folders first, each group sorted; the error of a folder that
// cannot be read.
std::vector<ListEntry> ReadFolder(const std::string& dir, const std::string& patterns, std::error_code& ec) {
  std::vector<ListEntry> folders, files;
  ec.clear();
  fs::directory_iterator it(dir, ec);
  for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
    std::error_code kind_ec;
    std::string name = it->path().filename().string();
    if (it->is_directory(kind_ec)) {
      folders.push_back(ListEntry{name, true});
    } else if (it->is_regular_file(kind_ec) && platform::win::MatchesFilter(name, patterns)) {
      files.push_back(ListEntry{name, false});
    }
  }
  if (ec) return {};
  auto by_name = [](const ListEntry& a, const ListEntry& b) { return a.name < b.name; };
  std::sort(folders.begin(), folders.end(), by_name);
  std::sort(files.begin(), files.end(), by_name);
  std::vector<ListEntry> out;
  if (fs::path(dir).has_relative_path()) out.push_back(ListEntry{"..", true});  // not at the root
  out.insert(out.end(), folders.begin(), folders.end());
  out.insert(out.end(), files.begin(), files.end());
  return out;
}

std::string Patterns(HWND dialog, const FileDialogState& s) {
  if (!s.typed_pattern.empty()) return s.typed_pattern;
  int sel = static_cast<int>(SendDlgItemMessage(dialog, kFileFilterCombo, CB_GETCURSEL, 0, 0));
  return sel >= 0 && sel < static_cast<int>(s.filters.size()) ? s.filters[static_cast<std::size_t>(sel)].patterns : "*";
}

void ShowEntries(HWND dialog, FileDialogState& s) {
  SendDlgItemMessage(dialog, kFileList, LB_RESETCONTENT, 0, 0);
  SetDlgItemText(dialog, kFileDirStatic, s.dir.c_str());
  for (const auto& e : s.entries) {
    std::string row = e.folder ? "[" : "";
    row += e.name;
    if (e.folder) row += ']';
    SendDlgItemMessage(dialog, kFileList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
  }
}

void FillList(HWND dialog, FileDialogState& s) {
  std::error_code ec;
  s.entries = ReadFolder(s.dir, Patterns(dialog, s), ec);
  ShowEntries(dialog, s);
  if (ec) {
    std::string line = s.dir;
    line += LayerText(" (cannot be read: ");
    line += ec.message();
    line += ')';
    SetDlgItemText(dialog, kFileDirStatic, line.c_str());
  }
}

const char* TitleOf(const FileDialogState& s) {
  return s.request.title.empty() ? LayerText(s.request.save ? "Save As" : "Open") : s.request.title.c_str();
}

// Goes into a folder: the list shows it when it can be read; otherwise a message tells why and the dialog stays
// in the folder it was in.
bool ChangeFolder(HWND dialog, FileDialogState& s, const fs::path& to) {
  std::error_code ec;
  fs::path target = fs::absolute(to, ec).lexically_normal();
  if (target.has_relative_path() && target.filename().empty()) target = target.parent_path();
  std::vector<ListEntry> entries = ReadFolder(target.string(), Patterns(dialog, s), ec);
  if (ec) {
    std::string msg = target.string();
    msg += LayerText("\nThe folder cannot be read: ");
    msg += ec.message();
    msg += '.';
    MessageBox(dialog, msg.c_str(), TitleOf(s), MB_OK | MB_ICONEXCLAMATION);
    FillList(dialog, s);  // what was listed may have changed meanwhile
    return false;
  }
  s.dir = target.string();
  s.entries = std::move(entries);
  s.folder_marked = false;
  ShowEntries(dialog, s);
  return true;
}

// A typed name that does not exist as written stands for the one file of its folder whose name differs only in
// case ("a.zpr" for "A.ZPR"), as names are written without regard to case.
fs::path MatchCase(const fs::path& path) {
  std::error_code ec;
  if (fs::exists(path, ec) || !path.has_parent_path()) return path;
  const std::string want = path.filename().string();
  fs::path found;
  for (fs::directory_iterator it(path.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != want.size() || !std::equal(name.begin(), name.end(), want.begin(), [](char a, char b) {
          return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        }))
      continue;
    if (!found.empty()) return path;  // two candidates: none is meant more than the other
    found = it->path();
  }
  return found.empty() ? path : found;
}

// "~" and "~/..." name the home folder.
std::string ExpandHome(const std::string& name) {
  if (name.empty() || name[0] != '~' || (name.size() > 1 && name[1] != '/')) return name;
  const char* home = std::getenv("HOME");
  if (!home || !*home) return name;
  std::string out = home;
  out += name.substr(1);
  return out;
}

bool Finish(HWND dialog, FileDialogState& s) {
  if (s.folder_marked) {
    const int sel = static_cast<int>(SendDlgItemMessage(dialog, kFileList, LB_GETCURSEL, 0, 0));
    if (sel >= 0 && sel < static_cast<int>(s.entries.size()) && s.entries[static_cast<std::size_t>(sel)].folder) {
      ChangeFolder(dialog, s, fs::path(s.dir) / s.entries[static_cast<std::size_t>(sel)].name);
      return false;
    }
  }
  char text[1024];
  GetDlgItemText(dialog, kFileNameEdit, text, sizeof text);
  std::string name = ExpandHome(Native(text));
  while (!name.empty() && name.back() == ' ') name.pop_back();
  while (!name.empty() && name.front() == ' ') name.erase(name.begin());
  if (name.empty()) return false;
  // A pattern lists the files that match it; a folder (absolute, relative, "..", "~") is gone into.
  if (name.find_first_of("*?") != std::string::npos && name.find('/') == std::string::npos) {
    s.typed_pattern = name;
    FillList(dialog, s);
    return false;
  }
  fs::path path(name);
  if (path.is_relative() && !s.dir.empty()) path = fs::path(s.dir) / path;
  std::error_code ec;
  if (fs::is_directory(path, ec)) {
    if (ChangeFolder(dialog, s, path)) SetDlgItemText(dialog, kFileNameEdit, "");
    return false;
  }
  DWORD flags = s.ofn->Flags;
  if (!path.has_extension() && s.ofn->lpstrDefExt && *s.ofn->lpstrDefExt) path += std::string(".") + s.ofn->lpstrDefExt;
  path = MatchCase(path);
  const char* title = TitleOf(s);
  if ((flags & (OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST)) && path.has_parent_path() && !fs::is_directory(path.parent_path(), ec)) {
    std::string msg = path.parent_path().string() + LayerText("\nThe path does not exist.");
    MessageBox(dialog, msg.c_str(), title, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if ((flags & OFN_FILEMUSTEXIST) && !fs::exists(path, ec)) {
    std::string msg = path.string() + LayerText("\nFile not found.");
    MessageBox(dialog, msg.c_str(), title, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (s.request.save && (flags & OFN_OVERWRITEPROMPT) && fs::exists(path, ec)) {
    std::string msg = path.string() + LayerText(" already exists.\nDo you want to replace it?");
    if (MessageBox(dialog, msg.c_str(), title, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return false;
  }
  std::string full = path.string();
  if (!s.ofn->lpstrFile || full.size() + 1 > s.ofn->nMaxFile) {
    g_error = FNERR_BUFFERTOOSMALL;
    EndDialog(dialog, IDABORT);
    return true;
  }
  std::memcpy(s.ofn->lpstrFile, full.c_str(), full.size() + 1);
  std::size_t slash = full.find_last_of('/');
  std::size_t offset = slash == std::string::npos ? 0 : slash + 1;
  s.ofn->nFileOffset = static_cast<WORD>(offset);
  std::size_t dot = full.find_last_of('.');
  s.ofn->nFileExtension = static_cast<WORD>(dot != std::string::npos && dot > offset ? dot + 1 : full.size());
  if (s.ofn->lpstrFileTitle && s.ofn->nMaxFileTitle > 0) {
    std::string file_title = full.substr(offset);
    std::size_t n = std::min<std::size_t>(s.ofn->nMaxFileTitle - 1, file_title.size());
    std::memcpy(s.ofn->lpstrFileTitle, file_title.data(), n);
    s.ofn->lpstrFileTitle[n] = '\0';
  }
  EndDialog(dialog, IDOK);
  return true;
}

INT_PTR FileDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* s = reinterpret_cast<FileDialogState*>(GetWindowLongPtr(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      s = reinterpret_cast<FileDialogState*>(lparam);
      SetWindowLongPtr(dialog, DWLP_USER, lparam);
      for (const auto& f : s->filters)
        SendDlgItemMessage(dialog, kFileFilterCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.text.c_str()));
      int index = s->ofn->nFilterIndex > 0 ? static_cast<int>(s->ofn->nFilterIndex) - 1 : 0;
      SendDlgItemMessage(dialog, kFileFilterCombo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
      SetDlgItemText(dialog, kFileNameEdit, s->request.proposed.c_str());
      FillList(dialog, *s);
      return TRUE;
    }
    case WM_COMMAND: {
      if (!s) return FALSE;
      int id = LOWORD(wparam);
      int code = HIWORD(wparam);
      if (id == IDOK) {
        Finish(dialog, *s);
      } else if (id == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
      } else if (id == kFileList && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
        int sel = static_cast<int>(SendDlgItemMessage(dialog, kFileList, LB_GETCURSEL, 0, 0));
        if (sel < 0 || sel >= static_cast<int>(s->entries.size())) return TRUE;
        const ListEntry entry = s->entries[static_cast<std::size_t>(sel)];
        if (entry.folder) {
          // A double click goes into the folder; a single one marks it for Return. The typed name stays.
          s->folder_marked = true;
          if (code == LBN_DBLCLK) ChangeFolder(dialog, *s, fs::path(s->dir) / entry.name);
          return TRUE;
        }
        SetDlgItemText(dialog, kFileNameEdit, entry.name.c_str());
        s->folder_marked = false;
        if (code == LBN_DBLCLK) Finish(dialog, *s);
      } else if (id == kFileNameEdit && code == EN_CHANGE && GetFocus() == GetDlgItem(dialog, kFileNameEdit)) {
        s->folder_marked = false;  // the user typed a name
      } else if (id == kFileUpButton && code == BN_CLICKED) {
        ChangeFolder(dialog, *s, fs::path(s->dir) / "..");
      } else if (id == kFileHomeButton && code == BN_CLICKED) {
        ChangeFolder(dialog, *s, ExpandHome("~"));
      } else if (id == kFileFilterCombo && code == CBN_SELCHANGE) {
        s->ofn->nFilterIndex = static_cast<DWORD>(SendDlgItemMessage(dialog, kFileFilterCombo, CB_GETCURSEL, 0, 0) + 1);
        s->typed_pattern.clear();
        FillList(dialog, *s);
      }
      return TRUE;
    }
    default: return FALSE;
  }
}

constexpr DialogItemTemplate kFileItems[] = {
    {IDC_STATIC, WC_STATIC, "File &name:", SS_LEFT, 7, 7, 60, 8},
    {kFileNameEdit, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 17, 150, 12},
    {kFileList, WC_LISTBOX, "", LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 7, 33, 150, 70},
    {IDC_STATIC, WC_STATIC, "Files of &type:", SS_LEFT, 7, 107, 60, 8},
    {kFileFilterCombo, WC_COMBOBOX, "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 7, 117, 150, 60},
    {IDC_STATIC, WC_STATIC, "Folder:", SS_LEFT, 7, 135, 30, 8},
    {kFileDirStatic, WC_STATIC, "", SS_LEFT | SS_NOPREFIX, 37, 135, 180, 8},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 165, 17, 50, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 165, 35, 50, 14},
    {kFileUpButton, WC_BUTTON, "&Up", BS_PUSHBUTTON | WS_TABSTOP, 165, 59, 50, 14},
    {kFileHomeButton, WC_BUTTON, "&Home", BS_PUSHBUTTON | WS_TABSTOP, 165, 77, 50, 14},
};

BOOL RunFileDialog(OPENFILENAME* ofn, bool save) {
  g_error = 0;
  if (!ofn || ofn->lStructSize == 0) {
    g_error = CDERR_STRUCTSIZE;
    return FALSE;
  }
  if (ofn->hwndOwner && !IsWindow(ofn->hwndOwner)) {
    g_error = CDERR_INITIALIZATION;
    return FALSE;
  }
  FileDialogState s;
  s.ofn = ofn;
  s.filters = ParseFilter(ofn->lpstrFilter);
  s.request.save = save;
  s.request.owner = ofn->hwndOwner;
  s.request.title = ofn->lpstrTitle ? ofn->lpstrTitle : "";
  for (std::size_t i = 0; i < s.filters.size(); ++i) {
    if (i) s.request.filter += '|';
    s.request.filter += s.filters[i].text + '|' + s.filters[i].patterns;
  }
  s.request.initial_dir = ofn->lpstrInitialDir ? Native(ofn->lpstrInitialDir) : "";
  s.request.default_ext = ofn->lpstrDefExt ? ofn->lpstrDefExt : "";
  s.request.flags = ofn->Flags;
  std::string proposed = ofn->lpstrFile && ofn->nMaxFile ? std::string(ofn->lpstrFile, strnlen(ofn->lpstrFile, ofn->nMaxFile)) : "";
  proposed = Native(proposed);
  s.dir = s.request.initial_dir;
  std::size_t slash = proposed.find_last_of('/');
  if (slash != std::string::npos) {
    if (s.dir.empty() || fs::path(proposed).is_absolute()) s.dir = proposed.substr(0, slash);
    proposed = proposed.substr(slash + 1);
  }
  if (s.dir.empty()) {
    std::error_code ec;
    s.dir = fs::current_path(ec).string();
  }
  s.request.proposed = proposed;
  const std::vector<DialogItemTemplate> items = LayerItems(kFileItems);
  DialogTemplate dialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 20, 20, 222, 150, TitleOf(s), items};
  HWND owner = ofn->hwndOwner ? platform::win::detail::Root(ofn->hwndOwner) : nullptr;
  HWND box = platform::win::detail::CreateDialogCore(
      GetModuleHandle(nullptr), &dialog, owner, FileDialogProc, reinterpret_cast<LPARAM>(&s), true,
      save ? platform::win::detail::DialogKind::kFileSave : platform::win::detail::DialogKind::kFileOpen, &s.request);
  if (!box) {
    g_error = CDERR_INITIALIZATION;
    return FALSE;
  }
  INT_PTR result = platform::win::detail::RunModal(box, owner);
  return result == IDOK ? TRUE : FALSE;
}

}  // namespace

BOOL GetOpenFileName(OPENFILENAME* ofn) { return RunFileDialog(ofn, false); }
BOOL GetSaveFileName(OPENFILENAME* ofn) { return RunFileDialog(ofn, true); }

namespace platform::win {

void SetCommonDialogError(DWORD error) { g_error = error; }
DWORD CommonDialogError() { return g_error; }

bool MatchesFilter(const std::string& name, const std::string& patterns) {
  std::size_t start = 0;
  while (start <= patterns.size()) {
    std::size_t end = patterns.find(';', start);
    if (end == std::string::npos) end = patterns.size();
    std::string p = patterns.substr(start, end - start);
    while (!p.empty() && p.front() == ' ') p.erase(p.begin());
    while (!p.empty() && p.back() == ' ') p.pop_back();
    if (!p.empty() && (p == "*.*" ? true : Glob(p.c_str(), name.c_str()))) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace platform::win
