// The drawing layer's own tables: GDI objects and device contexts behind their handles (index and generation,
// so that a stale handle finds nothing), and the state a DC carries.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_object.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/print_job.h"
#include "platform/gdi/surface.h"

namespace platform::gdi {

enum class DcKind { kMemory, kWindow, kPrinter };

// What SaveDC keeps and RestoreDC puts back.
struct DrawState {
  HGDIOBJ pen_handle = nullptr;
  HGDIOBJ brush_handle = nullptr;
  HGDIOBJ font_handle = nullptr;
  PenObject pen;
  BrushObject brush;
  FontObject font;
  COLORREF text_color = 0;
  COLORREF bk_color = 0xFFFFFF;
  int bk_mode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int fill_mode = ALTERNATE;
  int stretch_mode = BLACKONWHITE;
  UINT text_align = TA_TOP | TA_LEFT;
  POINT viewport{0, 0};
  std::optional<RECT> clip;  // DC device coordinates
  POINT position{0, 0};
};

struct DeviceContext {
  DcKind kind = DcKind::kMemory;
  DrawState state;
  std::vector<DrawState> saved;
  HGDIOBJ bitmap_handle = nullptr;  // memory DCs
  std::shared_ptr<Surface> surface;  // memory and window DCs
  POINT device_origin{0, 0};          // the DC's device (0, 0) on the surface
  SIZE device_size{1, 1};             // the DC's drawable area from its origin
  HWND window = nullptr;              // window DCs
  HWND top_level = nullptr;           // window DCs: whose surface it is
  std::optional<RECT> visible;        // window DCs: the part not hidden by ancestors, DC device coordinates
  std::unique_ptr<PrintJob> job;      // printer DCs
  int logpixels = 96;
  std::string name;                   // for the call log: "mem", "window", "printer"
};

// Object table.
HGDIOBJ AddObject(GdiObject object, bool stock = false);
GdiObject* FindObject(HGDIOBJ handle);
bool IsStockObject(HGDIOBJ handle);
void RemoveObject(HGDIOBJ handle);
// Objects alive now, stock objects included: a test compares it before and after work to find leaks.
std::size_t LiveObjectCount();

// DC table.
HDC AddDc(std::unique_ptr<DeviceContext> dc);
DeviceContext* FindDc(HDC handle);
void RemoveDc(HDC handle);

// A fresh DC state with the stock pen, brush and font selected.
DrawState DefaultDrawState();
// A memory DC's first bitmap: a 1 x 1 stock bitmap.
HGDIOBJ DefaultBitmap();
HGDIOBJ StockObject(int id);
// Makes the DC draw on a bitmap's surface.
void AttachSurface(DeviceContext& dc, std::shared_ptr<Surface> surface);

// Raster view of a raster DC: surface, clip in surface coordinates, mix mode.
raster::Target RasterTarget(const DeviceContext& dc);
raster::Pen RasterPen(const DeviceContext& dc);
// Logical to surface coordinates (viewport origin and device origin).
POINT ToSurface(const DeviceContext& dc, POINT p);
// Logical to the DC's device coordinates (viewport origin only).
POINT ToDevice(const DeviceContext& dc, POINT p);
// The DC's drawable area in its device coordinates (visible part, clip not applied).
RECT DeviceArea(const DeviceContext& dc);
RECT Normalised(RECT r);
RECT Intersect(RECT a, RECT b);
bool Empty(const RECT& r);

inline constexpr DWORD kErrorInvalidParameter = 87;
inline constexpr DWORD kErrorInvalidHandle = 6;

}  // namespace platform::gdi
