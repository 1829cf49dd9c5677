// The module state: the resource module and the running application object.
#include "platform/afx/module_state.h"

#include "platform/afx/app.h"
#include "platform/win/window.h"

namespace afx {
namespace {

struct ModuleState {
  HINSTANCE resources = nullptr;
  CWinApp* app = nullptr;
};

ModuleState& State() {
  static ModuleState state;
  return state;
}

}  // namespace

namespace detail {

void SetCurrentApp(CWinApp* app) { State().app = app; }

}  // namespace detail

HINSTANCE AfxGetResourceHandle() {
  ModuleState& s = State();
  if (s.resources) return s.resources;
  if (s.app && s.app->m_hInstance) return s.app->m_hInstance;
  return ::GetModuleHandle(nullptr);
}

void AfxSetResourceHandle(HINSTANCE instance) { State().resources = instance; }

CWinApp* AfxGetApp() { return State().app; }

CWnd* AfxGetMainWnd() {
  CWinApp* app = State().app;
  return app ? app->m_pMainWnd : nullptr;
}

}  // namespace afx
