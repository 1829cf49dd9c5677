// A printer DC's job: the page being drawn as a list of operations in device units, the rules of pages opened
// by StartDoc and NEWFRAME, the abort procedure, and the back end that receives each finished page.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/font_engine.h"
#include "platform/gdi/gdi_object.h"
#include "platform/gdi/printing.h"

namespace platform::gdi {

struct PageOp {
  enum class Kind { kText, kPolyline, kPolygon, kImage };
  Kind kind = Kind::kText;
  std::vector<POINT> points;  // polyline, polygon (closed), text: its top-left corner; image: destination corners
  std::string text;
  std::shared_ptr<const FontInstance> font;
  COLORREF color = 0;
  bool opaque = false;
  COLORREF bk_color = 0xFFFFFF;
  PenObject pen;
  BrushObject brush;
  std::shared_ptr<Surface> image;
};

struct Page {
  std::vector<PageOp> ops;
};

class PrintBackend {
 public:
  virtual ~PrintBackend() = default;
  virtual bool Begin(const std::string& document) = 0;
  virtual bool AddPage(const Page& page, int number) = 0;
  virtual bool Finish() = 0;
  virtual void Abort() = 0;
};

std::unique_ptr<PrintBackend> MakePdfBackend(const PrinterSettings& s, const std::string& path);
std::unique_ptr<PrintBackend> MakeRecordingBackend(const PrinterSettings& s, const std::string& path);
std::unique_ptr<PrintBackend> MakeTextBackend(const PrinterSettings& s, const std::string& path);
// Pages as PNG files: path "x.png" gives "x-1.png", "x-2.png", ...
std::unique_ptr<PrintBackend> MakePngBackend(const PrinterSettings& s, const std::string& path);

class PrintJob {
 public:
  explicit PrintJob(PrinterSettings settings) : settings_(std::move(settings)) {}
  const PrinterSettings& settings() const { return settings_; }

  int StartDoc(HDC dc, const std::string& name, const char* output, bool open_first_page);
  int StartPage();
  int EndPage(HDC dc, bool open_next_page);
  int EndDoc(HDC dc);
  int AbortDoc();
  void SetAbortProc(ABORTPROC proc) { abort_proc_ = proc; }
  // Adds a drawing operation; false when no document is open or the job was aborted.
  bool Add(HDC dc, PageOp op);
  bool in_document() const { return static_cast<bool>(backend_); }

 private:
  bool CallAbortProc(HDC dc);
  int Emit();

  PrinterSettings settings_;
  std::unique_ptr<PrintBackend> backend_;
  ABORTPROC abort_proc_ = nullptr;
  Page page_;
  bool page_open_ = false;
  bool page_drawn_ = false;
  bool aborted_ = false;
  int pages_ = 0;
  int ops_since_check_ = 0;
};

}  // namespace platform::gdi
