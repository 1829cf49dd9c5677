// The baseline of the start benchmark: a program that links the X library alone, opens the display, maps one
// window and waits to be ended. What it takes from exec to the map is what exec, loading and the X server take on
// this machine at this moment, without anything of ours.
#include <X11/Xlib.h>
#include <unistd.h>

int main() {
  Display* d = XOpenDisplay(nullptr);
  if (d == nullptr) return 1;
  const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 640, 480, 0, 0, 0xFFFFFF);
  XMapWindow(d, w);
  XFlush(d);
  pause();
  return 0;
}
