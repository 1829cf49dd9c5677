// The text back end: each page's text runs become lines of a plain text file (row from y, column from x in
// character widths), pages separated by form feeds; lines and shapes are left out.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>

#include "platform/gdi/print_job.h"

namespace platform::gdi {
namespace {

class TextBackend final : public PrintBackend {
 public:
  explicit TextBackend(std::string path) : path_(std::move(path)) {}
  bool Begin(const std::string&) override { return true; }
  bool AddPage(const Page& page, int number) override {
    if (number > 1) text_ += '\f';
    std::map<long, std::vector<const PageOp*>> rows;
    long left = -1;
    for (const PageOp& op : page.ops) {
      if (op.kind != PageOp::Kind::kText || !op.font) continue;
      rows[op.points[0].y].push_back(&op);
      left = left < 0 ? op.points[0].x : std::min(left, static_cast<long>(op.points[0].x));
    }
    long last_y = -1;
    int last_height = 0;
    for (auto& [y, ops] : rows) {
      if (last_y >= 0 && last_height > 0) {
        const long blank = std::lround(static_cast<double>(y - last_y) / last_height) - 1;
        for (long i = 0; i < blank; ++i) text_ += '\n';
      }
      std::sort(ops.begin(), ops.end(), [](const PageOp* a, const PageOp* b) { return a->points[0].x < b->points[0].x; });
      std::string line;
      for (const PageOp* op : ops) {
        const int cw = std::max(1, static_cast<int>(op->font->metrics().tmAveCharWidth));
        const std::size_t col = static_cast<std::size_t>(std::lround(static_cast<double>(op->points[0].x - left) / cw));
        if (line.size() < col) line.append(col - line.size(), ' ');
        line += op->text;
      }
      while (!line.empty() && line.back() == ' ') line.pop_back();
      text_ += line + '\n';
      last_y = y;
      last_height = ops.front()->font->metrics().tmHeight;
    }
    return true;
  }
  bool Finish() override {
    const std::string tmp = path_ + ".tmp";
    {
      std::ofstream out(tmp, std::ios::binary);
      out << text_;
      if (!out) {
        std::remove(tmp.c_str());
        return false;
      }
    }
    return std::rename(tmp.c_str(), path_.c_str()) == 0;
  }
  void Abort() override { text_.clear(); }

 private:
  std::string path_;
  std::string text_;
};

}  // namespace

std::unique_ptr<PrintBackend> MakeTextBackend(const PrinterSettings&, const std::string& path) {
  return std::make_unique<TextBackend>(path);
}

}  // namespace platform::gdi
