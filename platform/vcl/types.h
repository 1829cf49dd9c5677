// The basic types of the form layer: colours (RGB or a system colour), shift state, mouse buttons, modal
// results, close actions, the event signatures, and the exception class that handlers raise.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "platform/sys/wintypes.h"

// A colour: 0x00BBGGRR, or a system colour (the top bit set, the colour index in the low byte).
using TColor = std::int32_t;
inline constexpr TColor kSystemColorFlag = static_cast<TColor>(0x80000000u);
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clBtnText = kSystemColorFlag | 18;
inline constexpr TColor clHighlight = kSystemColorFlag | 13;
inline constexpr TColor clHighlightText = kSystemColorFlag | 14;
inline constexpr TColor clGrayText = kSystemColorFlag | 17;

// The RGB value of a colour (system colours looked up now).
COLORREF ColorToRGB(TColor color);

// The keys and buttons held with an input event.
enum TShiftFlag : unsigned {
  ssShift = 1,
  ssAlt = 2,
  ssCtrl = 4,
  ssLeft = 8,
  ssRight = 16,
  ssMiddle = 32,
  ssDouble = 64,
};
class TShiftState {
 public:
  constexpr TShiftState() = default;
  constexpr TShiftState(unsigned bits) : bits_(bits) {}  // NOLINT: a set built from flags
  constexpr bool Contains(TShiftFlag flag) const { return (bits_ & flag) != 0; }
  constexpr unsigned Bits() const { return bits_; }
  constexpr bool operator==(const TShiftState&) const = default;

 private:
  unsigned bits_ = 0;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
using enum TMouseButton;

// Modal results of ShowModal (the dialog answer ids).
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
using enum TCloseAction;

class TObject {
 public:
  virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
// The handler may set key to 0: the key is then consumed.
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& can_close)>;

// The exception class of the form layer; an exception that reaches a message loop is shown by the application.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};
class EInvalidOperation : public Exception {
 public:
  using Exception::Exception;
};
class EIniFileException : public Exception {
 public:
  using Exception::Exception;
};
