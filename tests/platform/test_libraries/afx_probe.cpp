// A library on the class layer that the class-layer tests open as "AfxProbe.dll", shaped like the scope library:
// an application object whose start makes a dialog object and whose end deletes it; the caller's window attached
// as the main window; a modeless dialog (template 9406 of this module) holding a view of a window class this
// module registers and a child pane without a template. Every handler writes one line into a log the tests read
// through an export, to compare with message-sequence tables.
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/afx/afx.h"
#include "platform/sys/dynamic_library.h"
#include "platform/win/common_controls.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/dialog_template.h"

extern "C" BOOL AfxProbe_Close();

namespace {

constexpr UINT kProbeDialog = 9406;
constexpr int kStatus = 2006;
constexpr int kView = 100;
constexpr int kPane = 185;

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}
void Note(std::string line) { Log().push_back(std::move(line)); }
std::string Num(long v) { return std::to_string(v); }

constexpr std::array kItems{
    DialogItemTemplate{kStatus, WC_STATIC, "", SS_LEFT, 0, 90, 200, 10},
    DialogItemTemplate{IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 150, 5, 40, 14},
};
const DialogTemplate kDialog{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VISIBLE, 0, 0, 200, 100,
                             "Probe", kItems};
const DialogTemplate kPaneTemplate{WS_CHILD | WS_VISIBLE | DS_CONTROL, 0, 0, 40, 60, nullptr, {}};

// Resources first, as the library's static constructors do: they belong to this module and go with it.
struct Resources {
  Resources() {
    platform::win::RegisterDialogTemplate(platform::sys::ThisModule(), MAKEINTRESOURCE(kProbeDialog), &kDialog);
  }
};
const Resources g_resources;

class ProbeView : public afx::CWnd {
 public:
  static const afx::MessageMap kMessageMap;

 protected:
  const afx::MessageMap* GetMessageMap() const override { return &kMessageMap; }
  int OnCreate(CREATESTRUCT*) {
    Note("view create");
    return 0;
  }
  void OnLButtonDown(UINT, POINT p) {
    Note("view lbuttondown " + Num(p.x) + "," + Num(p.y));
    GetParent()->SendMessage(WM_APP + 3, 7, 0);
  }
  void OnMode(UINT id) { Note("view mode " + Num(id)); }
  void OnDestroy() { Note("view destroy"); }
  // Black with a green diagonal, drawn through a memory bitmap and copied in one step.
  void OnPaint() {
    afx::CPaintDC dc(this);
    RECT r;
    GetClientRect(&r);
    afx::CDC memory;
    memory.CreateCompatibleDC(&dc);
    afx::CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, r.right, r.bottom);
    HGDIOBJ old_bitmap = memory.SelectObject(bitmap);
    memory.FillSolidRect(r, RGB(0, 0, 0));
    afx::CPen pen(PS_SOLID, 3, RGB(0, 255, 0));
    HGDIOBJ old_pen = memory.SelectObject(pen);
    memory.MoveTo(0, 0);
    memory.LineTo(r.right, r.bottom);
    memory.SelectObject(old_pen);
    dc.BitBlt(0, 0, r.right, r.bottom, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old_bitmap);
  }

 private:
  static const afx::MessageMapEntry kEntries[5];
};

const afx::MessageMapEntry ProbeView::kEntries[5] = {
    afx::OnCreate<&ProbeView::OnCreate>(),
    afx::OnPaint<&ProbeView::OnPaint>(),
    afx::OnLButtonDown<&ProbeView::OnLButtonDown>(),
    afx::OnCommandRange<32781, 32802, &ProbeView::OnMode>(),
    afx::OnDestroy<&ProbeView::OnDestroy>(),
};
const afx::MessageMap ProbeView::kMessageMap{&afx::CWnd::kMessageMap, kEntries};

class ProbePane : public afx::CDialog {
 public:
  void OnOK() override { Note("pane ok ignored"); }
  void OnCancel() override { Note("pane cancel ignored"); }
};

class ProbeDialog : public afx::CDialog {
 public:
  ProbeDialog() : CDialog(kProbeDialog) {}
  ~ProbeDialog() override { DestroyWindow(); }
  ProbeView view;
  ProbePane pane;
  std::string status;
  static const afx::MessageMap kMessageMap;

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    Note("init");
    RECT r;
    GetClientRect(&r);
    view.CreateEx(0, "AfxProbeView", nullptr, WS_CHILD | WS_VISIBLE, RECT{0, 0, r.right / 2, r.bottom - 20}, this,
                  kView);
    // The pane stands right of the view, as the scope window's control panel does.
    pane.CreateIndirect(kPaneTemplate, this);
    pane.MoveWindow(r.right / 2 + 4, 30, 60, 40);
    return TRUE;
  }

 protected:
  const afx::MessageMap* GetMessageMap() const override { return &kMessageMap; }
  void DoDataExchange(afx::CDataExchange* dx) override { afx::DDX_Text(dx, kStatus, status); }
  void OnSize(UINT, int cx, int cy) {
    Default();
    Note("size " + Num(cx) + "x" + Num(cy));
  }
  void OnGetMinMaxInfo(MINMAXINFO* mmi) {
    mmi->ptMinTrackSize = POINT{220, 150};
    Default();
  }
  void OnSysCommand(UINT command, LPARAM) {
    Note("syscommand " + Num(command));
    if ((command & 0xFFF0) == SC_CLOSE) {
      AfxProbe_Close();  // destroys the dialog and lets the caller's window go
      return;
    }
    Default();
  }
  void OnDestroy() {
    Default();
    Note("destroy");
  }
  LRESULT OnChannel(WPARAM channel, LPARAM) {
    Note("channel " + Num(static_cast<long>(channel)));
    return 0;
  }
  LRESULT OnStatusText(WPARAM, LPARAM text) {
    status = reinterpret_cast<const char*>(text);
    UpdateData(FALSE);
    Note("status " + status);
    return 0;
  }
  void OnToolTipText(UINT, NMHDR*, LRESULT*) { Note("tooltip text"); }

 private:
  static const afx::MessageMapEntry kEntries[7];
};

const afx::MessageMapEntry ProbeDialog::kEntries[7] = {
    afx::OnSize<&ProbeDialog::OnSize>(),
    afx::OnGetMinMaxInfo<&ProbeDialog::OnGetMinMaxInfo>(),
    afx::OnSysCommand<&ProbeDialog::OnSysCommand>(),
    afx::OnDestroy<&ProbeDialog::OnDestroy>(),
    afx::OnMessage<WM_APP + 3, &ProbeDialog::OnChannel>(),
    afx::OnMessage<WM_APP + 102, &ProbeDialog::OnStatusText>(),
    afx::OnNotify<TTN_NEEDTEXT, &ProbeDialog::OnToolTipText>(),
};
const afx::MessageMap ProbeDialog::kMessageMap{&afx::CDialog::kMessageMap, kEntries};

class ProbeApp : public afx::CWinApp {
 public:
  ProbeApp() : CWinApp("AfxProbe") {}
  afx::CWnd caller;
  std::unique_ptr<ProbeDialog> dialog;

  BOOL InitInstance() override {
    WNDCLASS wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProc;
    wc.hInstance = m_hInstance;
    wc.lpszClassName = "AfxProbeView";
    RegisterClass(&wc);
    dialog = std::make_unique<ProbeDialog>();
    m_pMainWnd = &caller;
    Note("app init");
    return TRUE;
  }
  int ExitInstance() override {
    caller.Detach();
    dialog.reset();
    return 0;
  }
};

ProbeApp g_app;
const afx::CLibraryStartup g_startup(g_app);

}  // namespace

#define PROBE_EXPORT extern "C" __attribute__((visibility("default")))

PROBE_EXPORT HWND AfxProbe_Open(HWND parent) {
  if (g_app.dialog->m_hWnd) return g_app.dialog->m_hWnd;
  g_app.caller.Attach(parent);
  if (!g_app.dialog->Create(kProbeDialog, &g_app.caller)) {
    g_app.caller.Detach();
    return nullptr;
  }
  return g_app.dialog->m_hWnd;
}

// A window object the library never deletes (its destructor never runs): its window must still go with the
// library, and no binding may point into the unmapped library after it.
PROBE_EXPORT HWND AfxProbe_OpenStray(HWND parent) {
  alignas(ProbeView) static unsigned char storage[sizeof(ProbeView)];
  static ProbeView* stray = nullptr;
  if (!stray) stray = ::new (storage) ProbeView;
  if (!stray->m_hWnd) stray->CreateEx(0, "AfxProbeView", "stray", WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50},
                                      afx::CWnd::FromHandle(parent), 0);
  return stray->m_hWnd;
}

PROBE_EXPORT BOOL AfxProbe_Close() {
  if (!g_app.dialog->m_hWnd) return FALSE;
  BOOL done = g_app.dialog->DestroyWindow();
  g_app.caller.Detach();
  return done;
}

PROBE_EXPORT HWND AfxProbe_Window(int which) {
  switch (which) {
    case 0: return g_app.dialog->m_hWnd;
    case 1: return g_app.dialog->view.m_hWnd;
    case 2: return g_app.dialog->pane.m_hWnd;
    default: return nullptr;
  }
}

// The log lines joined by '\n' (cut to the buffer), then the log is emptied.
PROBE_EXPORT int AfxProbe_TakeLog(char* buffer, int size) {
  std::string joined;
  for (const std::string& line : Log()) {
    joined += line;
    joined += '\n';
  }
  Log().clear();
  if (!buffer || size <= 0) return 0;
  int n = static_cast<int>(std::min<std::size_t>(joined.size(), static_cast<std::size_t>(size - 1)));
  std::memcpy(buffer, joined.data(), static_cast<std::size_t>(n));
  buffer[n] = '\0';
  return n;
}

PROBE_EXPORT int AfxProbe_Started() { return g_startup.Started() ? 1 : 0; }
