// Binds the first window created on this thread while the scope lives to an object, before that window's first
// message (through the window layer's creation hook). CreateEx and the dialog class create inside one.
#pragma once

#include "platform/win/window.h"

namespace afx {

class CWnd;

namespace detail {

class CreationScope {
 public:
  explicit CreationScope(CWnd* object);
  ~CreationScope();
  CreationScope(const CreationScope&) = delete;
  CreationScope& operator=(const CreationScope&) = delete;

 private:
  static void Bind(HWND hwnd, void* context);
  CWnd* pending_;
  platform::win::CreationHookSlot previous_;
};

}  // namespace detail
}  // namespace afx
