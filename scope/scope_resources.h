// The resources of the scope library, registered for its own module when it is loaded (they go with it when it
// is unloaded): dialog template 406 (the scope window), menu 254 (the display's context menu), the label glyph
// bitmaps 161 (digits) and 162 (character codes 64..90), and the display's own cursors 270..273.
#pragma once

#include "platform/sys/wintypes.h"

namespace scope {

inline constexpr UINT kScopeDialog = 406;
inline constexpr int kStatusText = 2006;
inline constexpr int kDisplayId = 100;
inline constexpr UINT kDisplayMenu = 254;
inline constexpr UINT kDigitGlyphs = 161;
inline constexpr UINT kCapitalGlyphs = 162;
inline constexpr UINT kZoomInCursor = 270;
inline constexpr UINT kZoomOutCursor = 271;
inline constexpr UINT kPanCursor = 272;
inline constexpr UINT kCaptureCursor = 273;

// The glyph bitmaps' own colours, which a label recolours: glyph pixels and background.
inline constexpr COLORREF kGlyphColour = 0xFFF8C0;
inline constexpr COLORREF kGlyphBackground = 0x30405C;
inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;
inline constexpr int kGlyphAdvance = 6;

// Mouse-mode commands of the context menu.
inline constexpr UINT kCmdSelection = 32781;
inline constexpr UINT kCmdCaptureFirst = 32782;  // + slot 0..18 (up to 32800)
inline constexpr UINT kCmdZoom = 32801;
inline constexpr UINT kCmdPan = 32802;

void RegisterScopeResources(HINSTANCE module);
// The display's own cursors (kZoomInCursor .. kCaptureCursor) with their pictures; RegisterScopeResources calls it.
void RegisterScopeCursors(HINSTANCE module);
// The panel (185), bit-mask (226) and measurement (400) templates; RegisterScopeResources calls it.
void RegisterScopeDialogs(HINSTANCE module);

}  // namespace scope
