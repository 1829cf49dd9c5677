// The PDF back end: A4 pages on a Cairo PDF surface, device units scaled to points, fonts embedded.
#include <cairo-pdf.h>
#include <cairo.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/gdi/print_job.h"
#include "platform/gdi/print_render.h"

extern char** environ;

namespace platform::gdi {
namespace {

constexpr double kPointsPerInch = 72.0;

bool HasLp() { return access("/usr/bin/lp", X_OK) == 0 || access("/usr/local/bin/lp", X_OK) == 0; }

void HandToLp(const std::string& path, const std::string& destination) {
  if (!HasLp()) return;
  pid_t pid;
  const char* with_destination[] = {"lp", "-d", destination.c_str(), "--", path.c_str(), nullptr};
  const char* plain[] = {"lp", "--", path.c_str(), nullptr};
  const char** argv = destination.empty() ? plain : with_destination;
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
    for (const PageOp& op : page.ops) RenderPageOp(cr, op);
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
    if (settings_.send_to_lp) HandToLp(path_, settings_.lp_destination);
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
