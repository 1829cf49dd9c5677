// The recording back end: one line per document event and drawing operation, for tests.
#include <cstdio>
#include <utility>
#include <fstream>
#include <sstream>

#include "platform/gdi/print_job.h"

namespace platform::gdi {
namespace {

std::vector<std::string>& Recorded() {
  static std::vector<std::string> lines;
  return lines;
}

std::string Points(const std::vector<POINT>& pts) {
  std::ostringstream s;
  for (std::size_t i = 0; i < pts.size(); ++i) s << (i ? " " : "") << pts[i].x << ',' << pts[i].y;
  return s.str();
}

std::string Describe(const PageOp& op) {
  std::ostringstream s;
  switch (op.kind) {
    case PageOp::Kind::kText:
      s << "TEXT " << op.points[0].x << ',' << op.points[0].y << " '" << op.text << "' "
        << (op.font ? op.font->Describe() : std::string("?"));
      break;
    case PageOp::Kind::kPolyline:
      s << "POLYLINE " << Points(op.points);
      if (op.pen.style != PS_SOLID || op.pen.width != 1) s << " pen=" << op.pen.style << '/' << op.pen.width;
      break;
    case PageOp::Kind::kPolygon:
      s << "POLYGON " << Points(op.points);
      break;
    case PageOp::Kind::kImage:
      s << "IMAGE " << Points(op.points) << ' ' << op.image->width() << 'x' << op.image->height();
      break;
  }
  return s.str();
}

class RecordingBackend final : public PrintBackend {
 public:
  explicit RecordingBackend(std::string path) : path_(std::move(path)) {}
  bool Begin(const std::string& document) override {
    Add("STARTDOC " + document);
    return true;
  }
  bool AddPage(const Page& page, int number) override {
    Add("PAGE " + std::to_string(number));
    for (const PageOp& op : page.ops) Add(Describe(op));
    Add("ENDPAGE " + std::to_string(number));
    return true;
  }
  bool Finish() override {
    Add("ENDDOC");
    if (path_.empty()) return true;
    const std::string tmp = path_ + ".tmp";
    {
      std::ofstream out(tmp, std::ios::binary);
      for (const auto& l : mine_) out << l << '\n';
      if (!out) {
        std::remove(tmp.c_str());
        return false;
      }
    }
    return std::rename(tmp.c_str(), path_.c_str()) == 0;
  }
  void Abort() override { Add("ABORTDOC"); }

 private:
  void Add(std::string line) {
    mine_.push_back(line);
    Recorded().push_back(std::move(line));
  }
  std::string path_;
  std::vector<std::string> mine_;
};

}  // namespace

std::unique_ptr<PrintBackend> MakeRecordingBackend(const PrinterSettings&, const std::string& path) {
  return std::make_unique<RecordingBackend>(path);
}

std::vector<std::string> TakePrintRecording() { return std::exchange(Recorded(), {}); }

}  // namespace platform::gdi
