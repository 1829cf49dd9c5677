// The PNG back end: each page drawn on a white image at a low resolution; the files are written at the end of
// the document, so an aborted job leaves none.
#include <cairo.h>

#include <cmath>
#include <cstdio>

#include "platform/gdi/print_job.h"
#include "platform/gdi/print_render.h"

namespace platform::gdi {
namespace {

class PngBackend final : public PrintBackend {
 public:
  PngBackend(const PrinterSettings& s, const std::string& path) : settings_(s) {
    const std::size_t dot = path.rfind('.');
    const std::size_t slash = path.rfind('/');
    stem_ = dot != std::string::npos && (slash == std::string::npos || dot > slash) ? path.substr(0, dot) : path;
  }
  bool Begin(const std::string&) override { return true; }
  bool AddPage(const Page& page, int) override {
    const double scale = static_cast<double>(settings_.png_dpi) / settings_.dpi;
    auto surface = std::make_shared<Surface>(static_cast<int>(std::lround(settings_.width * scale)),
                                             static_cast<int>(std::lround(settings_.height * scale)), 0xFFFFFF);
    surface->BeginCairo();
    cairo_t* cr = cairo_create(surface->cairo());
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_scale(cr, scale, scale);
    for (const PageOp& op : page.ops) RenderPageOp(cr, op);
    const bool ok = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cr);
    surface->EndCairo();
    pages_.push_back(std::move(surface));
    return ok;
  }
  bool Finish() override {
    for (std::size_t i = 0; i < pages_.size(); ++i) {
      const std::string name = stem_ + "-" + std::to_string(i + 1) + ".png";
      const std::string tmp = name + ".tmp";
      if (!pages_[i]->WritePng(tmp) || std::rename(tmp.c_str(), name.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
      }
    }
    return true;
  }
  void Abort() override { pages_.clear(); }

 private:
  PrinterSettings settings_;
  std::string stem_;
  std::vector<std::shared_ptr<Surface>> pages_;
};

}  // namespace

std::unique_ptr<PrintBackend> MakePngBackend(const PrinterSettings& s, const std::string& path) {
  return std::make_unique<PngBackend>(s, path);
}

}  // namespace platform::gdi
