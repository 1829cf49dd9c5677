// Printer DCs and the document calls and escapes on them.
#include "platform/gdi/printing.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <sstream>

#include "platform/gdi/call_log.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/gdi_state.h"

using namespace platform::gdi;

namespace {

std::optional<PrinterSettings>& Configured() {
  static std::optional<PrinterSettings> settings;
  return settings;
}

PrintJob* JobOf(HDC h) {
  DeviceContext* dc = FindDc(h);
  return dc && dc->job ? dc->job.get() : nullptr;
}

void LogDoc(HDC h, const std::string& what) {
  if (!CallLogActive()) return;
  AppendCallLog(what + " printer");
  (void)h;
}

}  // namespace

namespace platform::gdi {

void SetDefaultPrinter(const PrinterSettings& settings) { Configured() = settings; }

PrinterSettings DefaultPrinter() {
  if (Configured()) return *Configured();
  PrinterSettings s;
  if (const char* kind = std::getenv("ZPR_PRINTER")) {
    if (std::strcmp(kind, "text") == 0) {
      s.kind = PrintBackendKind::kText;
      s.name = "Text file";
    } else if (std::strcmp(kind, "png") == 0) {
      s.kind = PrintBackendKind::kPng;
      s.name = "PNG pages";
    } else if (std::strcmp(kind, "recording") == 0) {
      s.kind = PrintBackendKind::kRecording;
      s.name = "Recording";
    }
  }
  if (const char* out = std::getenv("ZPR_PRINT_OUTPUT")) s.output_path = out;
  return s;
}

HDC CreatePrinterDC(const PrinterSettings& settings) {
  auto dc = std::make_unique<DeviceContext>();
  dc->kind = DcKind::kPrinter;
  dc->name = "printer";
  dc->state = DefaultDrawState();
  dc->device_size = SIZE{settings.width, settings.height};
  dc->logpixels = settings.dpi;
  dc->job = std::make_unique<PrintJob>(settings);
  return AddDc(std::move(dc));
}

}  // namespace platform::gdi

HDC CreateDCA(LPCSTR driver, LPCSTR device, LPCSTR, const void*) {
  const char* name = device ? device : driver;
  if (name && std::strcmp(name, "DISPLAY") == 0) return CreateCompatibleDC(nullptr);
  return CreatePrinterDC(DefaultPrinter());
}

int StartDocA(HDC h, const DOCINFOA* info) {
  PrintJob* job = JobOf(h);
  if (!job) return SP_ERROR;
  const std::string name = info && info->lpszDocName ? info->lpszDocName : "";
  LogDoc(h, "StartDoc");
  return job->StartDoc(h, name, info ? info->lpszOutput : nullptr, false);
}

int StartPage(HDC h) {
  PrintJob* job = JobOf(h);
  if (!job) return SP_ERROR;
  LogDoc(h, "StartPage");
  return job->StartPage();
}

int EndPage(HDC h) {
  PrintJob* job = JobOf(h);
  if (!job) return SP_ERROR;
  LogDoc(h, "EndPage");
  const int r = job->EndPage(h, false);
  // The DC's drawing state starts afresh on each page.
  if (r > 0) {
    if (DeviceContext* dc = FindDc(h)) dc->state = DefaultDrawState();
  }
  return r;
}

int EndDoc(HDC h) {
  PrintJob* job = JobOf(h);
  if (!job) return SP_ERROR;
  LogDoc(h, "EndDoc");
  return job->EndDoc(h);
}

int AbortDoc(HDC h) {
  PrintJob* job = JobOf(h);
  if (!job) return SP_ERROR;
  LogDoc(h, "AbortDoc");
  return job->AbortDoc();
}

int SetAbortProc(HDC h, ABORTPROC proc) {
  PrintJob* job = JobOf(h);
  if (!job) return SP_ERROR;
  job->SetAbortProc(proc);
  return 1;
}

int Escape(HDC h, int escape, int in_size, LPCSTR in, LPVOID out) {
  PrintJob* job = JobOf(h);
  switch (escape) {
    case QUERYESCSUPPORT: {
      if (!in || in_size < static_cast<int>(sizeof(int))) return 0;
      int code;
      std::memcpy(&code, in, sizeof(code));
      return code == NEWFRAME || code == ABORTDOC || code == SETABORTPROC || code == STARTDOC || code == ENDDOC ||
                     code == GETPHYSPAGESIZE || code == QUERYESCSUPPORT
                 ? 1
                 : 0;
    }
    case STARTDOC: {
      if (!job) return SP_ERROR;
      const std::string name = in ? std::string(in, strnlen(in, in_size > 0 ? static_cast<std::size_t>(in_size) : 0)) : "";
      LogDoc(h, "Escape STARTDOC");
      return job->StartDoc(h, name, nullptr, true);
    }
    case NEWFRAME: {
      if (!job) return SP_ERROR;
      LogDoc(h, "Escape NEWFRAME");
      const int r = job->EndPage(h, true);
      // The device context loses its selected objects at a new frame.
      if (r > 0) {
        if (DeviceContext* dc = FindDc(h)) dc->state = DefaultDrawState();
      }
      return r;
    }
    case ENDDOC:
      if (!job) return SP_ERROR;
      LogDoc(h, "Escape ENDDOC");
      return job->EndDoc(h);
    case ABORTDOC:
      if (!job) return SP_ERROR;
      LogDoc(h, "Escape ABORTDOC");
      return job->AbortDoc();
    case SETABORTPROC: {
      if (!job || !in) return SP_ERROR;
      ABORTPROC proc;
      std::memcpy(&proc, &in, sizeof(proc));
      job->SetAbortProc(proc);
      return 1;
    }
    case GETPHYSPAGESIZE: {
      DeviceContext* dc = FindDc(h);
      if (!dc || !out) return 0;
      *static_cast<POINT*>(out) = POINT{dc->device_size.cx, dc->device_size.cy};
      return 1;
    }
    default:
      return 0;
  }
}
