#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/data_exchange.h"
#include "platform/afx/dialog.h"
#include "platform/afx/handle_map.h"
#include "platform/testing/driver.h"
#include "platform/win/controls.h"
#include "platform/win/dialog.h"
#include "platform/win/input.h"
#include "platform/win/message_loop.h"
#include "platform/win/window.h"

namespace {

namespace drv = platform::testing;

constexpr int kStatus = 2006;
constexpr int kMask = 1406;
constexpr int kBinary = 1526;
constexpr int kHex = 1125;
constexpr int kBin = 1126;

constexpr DialogItemTemplate kItems[] = {
    {kMask, WC_EDIT, "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 5, 5, 60, 12},
    {kBinary, WC_BUTTON, "Binary representation", BS_AUTOCHECKBOX | WS_TABSTOP, 5, 20, 90, 10},
    {kHex, WC_BUTTON, "hex", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 5, 35, 30, 10},
    {kBin, WC_BUTTON, "bin", BS_AUTORADIOBUTTON, 40, 35, 30, 10},
    {kStatus, WC_STATIC, "", SS_LEFT | WS_GROUP, 5, 50, 100, 10},
    {IDOK, WC_BUTTON, "OK", BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 110, 5, 40, 14},
    {IDCANCEL, WC_BUTTON, "Cancel", BS_PUSHBUTTON | WS_TABSTOP, 110, 25, 40, 14},
};
constexpr int kModalId = 9326;
constexpr int kModelessId = 9506;
constexpr DialogTemplate kModal{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 10, 10, 160, 70, "Properties",
                                kItems};
constexpr DialogTemplate kModeless{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 10, 10, 160, 70, "Scope", kItems};
constexpr DialogTemplate kChildWithoutControls{WS_CHILD | WS_VISIBLE | DS_CONTROL, 0, 0, 60, 40, nullptr, {}};

std::vector<std::string> g_calls;

class MaskDialog : public afx::CDialog {
 public:
  explicit MaskDialog(UINT id = kModalId, CWnd* parent = nullptr) : CDialog(id, parent) {}
  std::string mask = "FF";
  std::string status = "ready";
  int binary = 1;
  int base = 0;
  bool skip_status = false;

  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    g_calls.push_back("init " + GetDlgItemText(kMask));
    return TRUE;
  }
  void OnOK() override {
    g_calls.push_back("ok");
    CDialog::OnOK();
  }
  void OnCancel() override {
    g_calls.push_back("cancel");
    CDialog::OnCancel();
  }

 protected:
  void DoDataExchange(afx::CDataExchange* dx) override {
    afx::DDX_Text(dx, kMask, mask);
    afx::DDX_Check(dx, kBinary, binary);
    afx::DDX_Radio(dx, kHex, base);
    afx::DDX_Text(dx, skip_status ? 4711 : kStatus, status);
  }
  const afx::MessageMap* GetMessageMap() const override {
    static constexpr afx::MessageMapEntry kEntries[] = {
        afx::OnControl<EN_CHANGE, kMask, &MaskDialog::OnMaskChange>(),
    };
    static constexpr afx::MessageMap kMap{&afx::CDialog::kMessageMap, kEntries};
    return &kMap;
  }
  void OnMaskChange() { g_calls.push_back("mask change " + GetDlgItemText(kMask)); }
};

// A child dialog without a template of its own: Enter and Escape must not close it.
class ChildPane : public afx::CDialog {
 public:
  void OnOK() override { g_calls.push_back("child ok ignored"); }
  void OnCancel() override { g_calls.push_back("child cancel ignored"); }
};

class AfxDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_calls.clear();
    HINSTANCE self = GetModuleHandle(nullptr);
    platform::win::RegisterDialogTemplate(self, MAKEINTRESOURCE(kModalId), &kModal);
    platform::win::RegisterDialogTemplate(self, MAKEINTRESOURCE(kModelessId), &kModeless);
  }
  void TearDown() override { EXPECT_EQ(afx::BoundWindowCount(), 0u); }
  drv::Session session_;
};

TEST_F(AfxDialogTest, ModalDialogFillsItsControlsAndReadsThemBackOnOk) {
  MaskDialog dlg;
  drv::OnDialogIdle(kModalId, [](HWND dialog) {
    SetDlgItemText(dialog, kMask, "00FF");
    drv::ClickItem(dialog, kBin);
    drv::ClickItem(dialog, kBinary);
    drv::ClickItem(dialog, IDOK);
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  const std::vector<std::string> kExpected = {"mask change FF", "init FF", "mask change 00FF", "ok"};
  EXPECT_EQ(g_calls, kExpected);
  EXPECT_EQ(dlg.mask, "00FF");
  EXPECT_EQ(dlg.binary, 0);
  EXPECT_EQ(dlg.base, 1);
  EXPECT_EQ(dlg.m_hWnd, nullptr);
  EXPECT_EQ(drv::DeadlockCount(), 0);
}

TEST_F(AfxDialogTest, CancelEndsTheModalDialogWithoutReadingTheControls) {
  MaskDialog dlg;
  drv::OnDialogIdle(kModalId, [](HWND dialog) {
    SetDlgItemText(dialog, kMask, "1234");
    drv::ClickItem(dialog, IDCANCEL);
  });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
  EXPECT_EQ(g_calls.back(), "cancel");
  EXPECT_EQ(dlg.mask, "FF");
}

TEST_F(AfxDialogTest, ModelessDialogNavigatesByKeyboardThroughTheMessageFilter) {
  MaskDialog dlg(kModelessId);
  ASSERT_TRUE(dlg.Create(kModelessId));
  EXPECT_TRUE(dlg.IsWindowVisible());
  EXPECT_EQ(drv::ItemText(dlg.m_hWnd, kStatus), "ready");
  EXPECT_TRUE(drv::Checked(dlg.m_hWnd, kHex));
  drv::PumpUntilIdle();
  g_calls.clear();
  // Escape reaches the dialog manager only through the object's PreTranslateMessage (the test loop has no
  // IsDialogMessage for this dialog); a modeless dialog's end hides it.
  drv::PressKey(VK_ESCAPE);
  const std::vector<std::string> kExpected = {"cancel"};
  EXPECT_EQ(g_calls, kExpected);
  EXPECT_TRUE(IsWindow(dlg.m_hWnd));
  EXPECT_FALSE(dlg.IsWindowVisible());
  ASSERT_TRUE(dlg.DestroyWindow());
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

TEST_F(AfxDialogTest, ChildDialogWithoutTemplateIgnoresOkAndCancel) {
  MaskDialog owner(kModelessId);
  ASSERT_TRUE(owner.Create(kModelessId));
  ChildPane pane;
  ASSERT_TRUE(pane.CreateIndirect(kChildWithoutControls, &owner));
  EXPECT_EQ(GetParent(pane.m_hWnd), owner.m_hWnd);
  EXPECT_TRUE(GetWindowLong(pane.m_hWnd, GWL_STYLE) & WS_CHILD);
  afx::CWnd button;
  ASSERT_TRUE(button.CreateEx(0, WC_BUTTON, "A", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, RECT{2, 2, 40, 20}, &pane, 1127));
  EXPECT_EQ(pane.GetDlgItem(1127), &button);
  g_calls.clear();
  pane.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  pane.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  const std::vector<std::string> kIgnored = {"child ok ignored", "child cancel ignored"};
  EXPECT_EQ(g_calls, kIgnored);
  EXPECT_TRUE(pane.IsWindowVisible());
  // Destroying the owner takes the pane and its control with it; every object lets its handle go.
  owner.DestroyWindow();
  EXPECT_EQ(pane.m_hWnd, nullptr);
  EXPECT_EQ(button.m_hWnd, nullptr);
}

TEST_F(AfxDialogTest, MissingTemplateOrControlFailsCleanly) {
  MaskDialog missing(4242);
  EXPECT_EQ(missing.DoModal(), -1);
  EXPECT_FALSE(missing.Create(4242));
  EXPECT_EQ(missing.m_hWnd, nullptr);

  MaskDialog dlg(kModelessId);
  ASSERT_TRUE(dlg.Create(kModelessId));
  SetDlgItemText(dlg.m_hWnd, kMask, "0A");
  dlg.skip_status = true;
  dlg.status = "kept";
  // The exchange stops at the missing control: the controls before it are read, the member after it is kept.
  EXPECT_FALSE(dlg.UpdateData(TRUE));
  EXPECT_EQ(dlg.mask, "0A");
  EXPECT_EQ(dlg.status, "kept");
  dlg.DestroyWindow();
}

}  // namespace
