#include "platform/gdi/print_job.h"

#include <cctype>

namespace platform::gdi {
namespace {

constexpr int kOpsPerAbortCheck = 16;

// A file name from the document name: letters, digits, '-', '_' and '.' kept, others become '_'.
std::string FileStem(const std::string& document) {
  std::string out;
  for (const unsigned char c : document) out += (std::isalnum(c) || c == '-' || c == '_' || c == '.') ? static_cast<char>(c) : '_';
  return out.empty() ? std::string("document") : out;
}

}  // namespace

int PrintJob::StartDoc(HDC, const std::string& name, const char* output, bool open_first_page) {
  if (backend_) return SP_ERROR;
  std::string path = output && *output ? std::string(output) : settings_.output_path;
  switch (settings_.kind) {
    case PrintBackendKind::kPdf:
      backend_ = MakePdfBackend(settings_, path.empty() ? FileStem(name) + ".pdf" : path);
      break;
    case PrintBackendKind::kText:
      backend_ = MakeTextBackend(settings_, path.empty() ? FileStem(name) + ".txt" : path);
      break;
    case PrintBackendKind::kPng:
      backend_ = MakePngBackend(settings_, path.empty() ? FileStem(name) + ".png" : path);
      break;
    case PrintBackendKind::kRecording:
      backend_ = MakeRecordingBackend(settings_, path);
      break;
  }
  if (!backend_ || !backend_->Begin(name)) {
    backend_.reset();
    return SP_ERROR;
  }
  aborted_ = false;
  pages_ = 0;
  page_ = Page{};
  page_open_ = open_first_page;
  page_drawn_ = false;
  ops_since_check_ = 0;
  return 1;
}

int PrintJob::StartPage() {
  if (!backend_) return aborted_ ? SP_APPABORT : SP_ERROR;
  page_open_ = true;
  return 1;
}

int PrintJob::Emit() {
  ++pages_;
  const bool ok = backend_->AddPage(page_, pages_);
  page_ = Page{};
  page_drawn_ = false;
  if (!ok) {
    AbortDoc();
    return SP_OUTOFDISK;
  }
  return 1;
}

int PrintJob::EndPage(HDC dc, bool open_next_page) {
  if (!backend_) return aborted_ ? SP_APPABORT : SP_ERROR;
  // NEWFRAME emits the open page even when nothing was drawn on it; EndPage needs a started page.
  if (!page_open_ && !open_next_page) return SP_ERROR;
  const int r = Emit();
  if (r < 0) return r;
  page_open_ = open_next_page;
  if (!CallAbortProc(dc)) {
    AbortDoc();
    return SP_APPABORT;
  }
  return 1;
}

int PrintJob::EndDoc(HDC) {
  if (!backend_) return aborted_ ? SP_APPABORT : SP_ERROR;
  // A page opened by the last NEWFRAME and never drawn on is dropped.
  if (page_open_ && page_drawn_) {
    const int r = Emit();
    if (r < 0) return r;
  }
  page_open_ = false;
  const bool ok = backend_->Finish();
  backend_.reset();
  return ok ? 1 : SP_ERROR;
}

int PrintJob::AbortDoc() {
  if (!backend_) return SP_ERROR;
  backend_->Abort();
  backend_.reset();
  aborted_ = true;
  page_ = Page{};
  page_open_ = false;
  return 1;
}

bool PrintJob::CallAbortProc(HDC dc) {
  if (!abort_proc_) return true;
  return abort_proc_(dc, 0) != FALSE;
}

bool PrintJob::Add(HDC dc, PageOp op) {
  if (!backend_) return false;
  page_open_ = true;
  page_.ops.push_back(std::move(op));
  page_drawn_ = true;
  if (++ops_since_check_ >= kOpsPerAbortCheck) {
    ops_since_check_ = 0;
    if (!CallAbortProc(dc)) {
      AbortDoc();
      return false;
    }
  }
  return true;
}

}  // namespace platform::gdi
