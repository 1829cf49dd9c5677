#include "platform/backend/x11_selection.h"

#include <X11/Xatom.h>
#include <poll.h>

#include <array>
#include <chrono>
#include <optional>

#include "platform/gdi/cp1252.h"
#include "platform/win/clipboard.h"

namespace platform::backend {
namespace {

using platform::win::Selection;

// How long a paste waits for the owner of a selection to answer.
constexpr int kFetchTimeoutMs = 1000;

struct SelectionState {
  Display* display = nullptr;
  Window owner = 0;  // our hidden window that owns the selections and receives the answers
  Atom clipboard = 0, targets = 0, utf8 = 0, text = 0, transfer = 0, incr = 0;
  Time last_time = CurrentTime;           // the last user event: selections are claimed with its time
  std::array<std::string, 2> offered;     // what we own, as X text (UTF-8, LF)
  std::array<bool, 2> owned{false, false};
};

SelectionState& S() {
  static SelectionState s;
  return s;
}

std::size_t Index(Selection which) { return which == Selection::kClipboard ? 0 : 1; }
Atom AtomOf(Selection which) { return which == Selection::kClipboard ? S().clipboard : XA_PRIMARY; }

// Latin-1 for the STRING target: characters outside it become '?'.
std::string ToLatin1(const std::string& cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (const char c : cp1252) {
    const char32_t u = gdi::Cp1252ToUnicode(static_cast<unsigned char>(c));
    out += u <= 0xFF ? static_cast<char>(u) : '?';
  }
  return out;
}

void Offer(Selection which, const std::string& cp1252) {
  SelectionState& s = S();
  if (!s.display) return;
  const std::size_t i = Index(which);
  s.offered[i] = SelectionTextToX(cp1252);
  XSetSelectionOwner(s.display, AtomOf(which), s.owner, s.last_time);
  s.owned[i] = XGetSelectionOwner(s.display, AtomOf(which)) == s.owner;
  XFlush(s.display);
}

// Waits for the answer to our conversion request, leaving every other event queued for the display's loop.
bool AwaitNotify(XEvent* answer) {
  SelectionState& s = S();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kFetchTimeoutMs);
  for (;;) {
    if (XCheckTypedWindowEvent(s.display, s.owner, SelectionNotify, answer)) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd fd{ConnectionNumber(s.display), POLLIN, 0};
    poll(&fd, 1, static_cast<int>(left.count()));
    XEventsQueued(s.display, QueuedAfterReading);
  }
}

// Asks the owner for the selection as one target; nothing when it refuses, does not answer or sends it in pieces.
std::optional<std::string> Convert(Atom selection, Atom target) {
  SelectionState& s = S();
  XDeleteProperty(s.display, s.owner, s.transfer);
  XConvertSelection(s.display, selection, target, s.transfer, s.owner, s.last_time);
  XFlush(s.display);
  XEvent answer{};
  if (!AwaitNotify(&answer) || answer.xselection.property == None) return std::nullopt;
  Atom type = 0;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(s.display, s.owner, s.transfer, 0, 0x7FFFFFFF / 4, True, AnyPropertyType, &type, &format,
                         &count, &after, &data) != Success)
    return std::nullopt;
  std::optional<std::string> text;
  if (data && format == 8 && type != s.incr) text = std::string(reinterpret_cast<const char*>(data), count);
  if (data) XFree(data);
  return text;
}

std::optional<std::string> Fetch(Selection which) {
  SelectionState& s = S();
  if (!s.display) return std::nullopt;
  const std::size_t i = Index(which);
  const Window owner = XGetSelectionOwner(s.display, AtomOf(which));
  if (owner == s.owner && s.owned[i]) return SelectionTextFromX(s.offered[i]);
  if (owner == None) return std::nullopt;
  if (auto utf8 = Convert(AtomOf(which), s.utf8)) return SelectionTextFromX(*utf8);
  // An older client offers Latin-1 only.
  if (auto latin1 = Convert(AtomOf(which), XA_STRING)) {
    std::string utf8;
    for (const char c : *latin1) {
      const auto u = static_cast<unsigned char>(c);
      if (u < 0x80) {
        utf8 += c;
      } else {
        utf8 += static_cast<char>(0xC0 | (u >> 6));
        utf8 += static_cast<char>(0x80 | (u & 0x3F));
      }
    }
    return SelectionTextFromX(utf8);
  }
  return std::nullopt;
}

// Another client asks for what we own: the text as the target it names, or the list of targets.
void Serve(const XSelectionRequestEvent& request) {
  SelectionState& s = S();
  XSelectionEvent answer{};
  answer.type = SelectionNotify;
  answer.display = request.display;
  answer.requestor = request.requestor;
  answer.selection = request.selection;
  answer.target = request.target;
  answer.time = request.time;
  answer.property = None;
  const int i = request.selection == s.clipboard ? 0 : request.selection == XA_PRIMARY ? 1 : -1;
  // An obsolete client names no property: the target is the property then.
  const Atom property = request.property != None ? request.property : request.target;
  if (i >= 0 && s.owned[static_cast<std::size_t>(i)] && request.owner == s.owner) {
    const std::string& utf8 = s.offered[static_cast<std::size_t>(i)];
    // Larger than one request could carry: refused (no incremental transfer).
    const long limit = std::max(XExtendedMaxRequestSize(s.display), XMaxRequestSize(s.display)) * 4 - 1024;
    if (request.target == s.targets) {
      const Atom list[] = {s.targets, s.utf8, XA_STRING, s.text};
      XChangeProperty(s.display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(list), 4);
      answer.property = property;
    } else if ((request.target == s.utf8 || request.target == s.text) && static_cast<long>(utf8.size()) < limit) {
      XChangeProperty(s.display, request.requestor, property, s.utf8, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(utf8.data()), static_cast<int>(utf8.size()));
      answer.property = property;
    } else if (request.target == XA_STRING && static_cast<long>(utf8.size()) < limit) {
      const std::string latin1 = ToLatin1(SelectionTextFromX(utf8));
      XChangeProperty(s.display, request.requestor, property, XA_STRING, 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(latin1.data()), static_cast<int>(latin1.size()));
      answer.property = property;
    }
  }
  XSendEvent(s.display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&answer));
  XFlush(s.display);
}

}  // namespace

std::string SelectionTextToX(const std::string& cp1252) {
  std::string lf;
  lf.reserve(cp1252.size());
  for (std::size_t i = 0; i < cp1252.size(); ++i)
    if (!(cp1252[i] == '\r' && i + 1 < cp1252.size() && cp1252[i + 1] == '\n')) lf += cp1252[i];
  return gdi::Cp1252ToUtf8(lf);
}

std::string SelectionTextFromX(const std::string& utf8) {
  const std::string bytes = gdi::Utf8ToCp1252(utf8);
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    if (c == '\0') continue;  // the programs' strings end at a NUL
    if (c == '\n' && (i == 0 || bytes[i - 1] != '\r')) out += '\r';
    out += c;
  }
  return out;
}

void StartX11Selections(Display* display) {
  SelectionState& s = S();
  s.display = display;
  s.owner = XCreateSimpleWindow(display, DefaultRootWindow(display), -10, -10, 1, 1, 0, 0, 0);
  s.clipboard = XInternAtom(display, "CLIPBOARD", False);
  s.targets = XInternAtom(display, "TARGETS", False);
  s.utf8 = XInternAtom(display, "UTF8_STRING", False);
  s.text = XInternAtom(display, "TEXT", False);
  s.transfer = XInternAtom(display, "ZPR_SELECTION", False);
  s.incr = XInternAtom(display, "INCR", False);
  s.owned = {false, false};
  platform::win::SetSelectionBackend(platform::win::SelectionBackend{Offer, Fetch});
}

void StopX11Selections() {
  SelectionState& s = S();
  if (!s.display) return;
  platform::win::SetSelectionBackend({});
  XDestroyWindow(s.display, s.owner);
  s = SelectionState{};
}

bool HandleX11SelectionEvent(const XEvent& event) {
  SelectionState& s = S();
  if (!s.display) return false;
  switch (event.type) {
    case KeyPress:
    case KeyRelease: s.last_time = event.xkey.time; return false;
    case ButtonPress:
    case ButtonRelease: s.last_time = event.xbutton.time; return false;
    case SelectionRequest:
      if (event.xselectionrequest.owner != s.owner) return false;
      Serve(event.xselectionrequest);
      return true;
    case SelectionClear:
      if (event.xselectionclear.window != s.owner) return false;
      if (event.xselectionclear.selection == s.clipboard) s.owned[0] = false;
      if (event.xselectionclear.selection == XA_PRIMARY) s.owned[1] = false;
      return true;
    case SelectionNotify: return event.xselection.requestor == s.owner;
    default: return false;
  }
}

}  // namespace platform::backend
