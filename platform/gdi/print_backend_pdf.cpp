// The PDF back end: A4 pages on a Cairo PDF surface, device units scaled to points, fonts embedded.
#include <cairo-pdf.h>
#include <cairo.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/gdi/print_job.h"

extern char** environ;

namespace platform::gdi {
namespace {

constexpr double kPointsPerInch = 72.0;

void SetColour(cairo_t* cr, COLORREF c) { cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0); }

void SetPen(cairo_t* cr, const PenObject& pen) {
  const double w = pen.width < 1 ? 1 : pen.width;
  cairo_set_line_width(cr, w);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
  static const double kDash[] = {18, 6}, kDot[] = {3, 3}, kDashDot[] = {9, 6, 3, 6}, kDashDotDot[] = {9, 3, 3, 3, 3, 3};
  const double* pattern = nullptr;
  int n = 0;
  switch (pen.style) {
    case PS_DASH: pattern = kDash; n = 2; break;
    case PS_DOT: pattern = kDot; n = 2; break;
    case PS_DASHDOT: pattern = kDashDot; n = 4; break;
    case PS_DASHDOTDOT: pattern = kDashDotDot; n = 6; break;
    default: break;
  }
  double scaled[6];
  for (int i = 0; i < n; ++i) scaled[i] = pattern[i] * w;
  cairo_set_dash(cr, scaled, n, 0);
  SetColour(cr, pen.color);
}

void Path(cairo_t* cr, const std::vector<POINT>& pts, bool close) {
  cairo_new_path(cr);
  for (std::size_t i = 0; i < pts.size(); ++i) {
    if (i == 0) cairo_move_to(cr, pts[i].x, pts[i].y);
    else cairo_line_to(cr, pts[i].x, pts[i].y);
  }
  if (close) cairo_close_path(cr);
}

void Render(cairo_t* cr, const PageOp& op) {
  switch (op.kind) {
    case PageOp::Kind::kPolyline:
      if (op.pen.style == PS_NULL || op.points.size() < 2) return;
      Path(cr, op.points, false);
      SetPen(cr, op.pen);
      cairo_stroke(cr);
      return;
    case PageOp::Kind::kPolygon:
      if (op.points.size() < 2) return;
      Path(cr, op.points, true);
      if (op.brush.style != BS_NULL) {
        SetColour(cr, op.brush.color);
        cairo_fill_preserve(cr);
      }
      if (op.pen.style != PS_NULL) {
        SetPen(cr, op.pen);
        cairo_stroke(cr);
      }
      cairo_new_path(cr);
      return;
    case PageOp::Kind::kText: {
      if (!op.font || op.points.empty()) return;
      const POINT p = op.points[0];
      if (op.opaque && op.font->logfont().lfEscapement == 0) {
        SetColour(cr, op.bk_color);
        cairo_rectangle(cr, p.x, p.y, op.font->Width(op.text), op.font->metrics().tmHeight);
        cairo_fill(cr);
      }
      const COLORREF c = op.color;
      op.font->Draw(cr, p.x, p.y, op.text, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
      return;
    }
    case PageOp::Kind::kImage: {
      if (!op.image || op.points.size() < 2) return;
      const double w = op.points[1].x - op.points[0].x, h = op.points[1].y - op.points[0].y;
      if (w == 0 || h == 0) return;
      cairo_save(cr);
      cairo_translate(cr, op.points[0].x, op.points[0].y);
      cairo_scale(cr, w / op.image->width(), h / op.image->height());
      cairo_set_source_surface(cr, op.image->cairo(), 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
      cairo_paint(cr);
      cairo_restore(cr);
      return;
    }
  }
}

bool HasLp() { return access("/usr/bin/lp", X_OK) == 0 || access("/usr/local/bin/lp", X_OK) == 0; }

void HandToLp(const std::string& path) {
  if (!HasLp()) return;
  pid_t pid;
  const char* argv[] = {"lp", "--", path.c_str(), nullptr};
  if (posix_spawnp(&pid, "lp", nullptr, nullptr, const_cast<char* const*>(argv), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
  }
}

class PdfBackend final : public PrintBackend {
 public:
  PdfBackend(const PrinterSettings& s, std::string path) : settings_(s), path_(std::move(path)), tmp_(path_ + ".tmp") {}
  ~PdfBackend() override {
    if (surface_) Abort();
  }

  bool Begin(const std::string& document) override {
    const double scale = kPointsPerInch / settings_.dpi;
    surface_ = cairo_pdf_surface_create(tmp_.c_str(), settings_.width * scale, settings_.height * scale);
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(surface_);
      surface_ = nullptr;
      std::remove(tmp_.c_str());
      return false;
    }
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, document.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, document.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATE_DATE, "2000-01-01T00:00:00");
    return true;
  }

  bool AddPage(const Page& page, int) override {
    cairo_t* cr = cairo_create(surface_);
    cairo_scale(cr, kPointsPerInch / settings_.dpi, kPointsPerInch / settings_.dpi);
    for (const PageOp& op : page.ops) Render(cr, op);
    cairo_show_page(cr);
    const bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    return ok;
  }

  bool Finish() override {
    cairo_surface_finish(surface_);
    const bool ok = cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
    if (!ok || std::rename(tmp_.c_str(), path_.c_str()) != 0) {
      std::remove(tmp_.c_str());
      return false;
    }
    if (settings_.send_to_lp) HandToLp(path_);
    return true;
  }

  void Abort() override {
    if (surface_) {
      cairo_surface_finish(surface_);
      cairo_surface_destroy(surface_);
      surface_ = nullptr;
    }
    std::remove(tmp_.c_str());
  }

 private:
  PrinterSettings settings_;
  std::string path_;
  std::string tmp_;
  cairo_surface_t* surface_ = nullptr;
};

}  // namespace

std::unique_ptr<PrintBackend> MakePdfBackend(const PrinterSettings& s, const std::string& path) {
  return std::make_unique<PdfBackend>(s, path);
}

}  // namespace platform::gdi
