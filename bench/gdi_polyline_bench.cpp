// Drawing speed of the raster DCs: 8 polylines of 3000 points on a 1000 x 600 surface (goal: under 5 ms).
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "platform/gdi/gdi.h"

namespace {

void BM_EightPolylines(benchmark::State& state) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bm = CreateCompatibleBitmap(dc, 1000, 600);
  HGDIOBJ old = SelectObject(dc, bm);
  std::vector<std::vector<POINT>> traces(8);
  for (int t = 0; t < 8; ++t)
    for (int i = 0; i < 3000; ++i)
      traces[static_cast<std::size_t>(t)].push_back(
          POINT{i * 1000 / 3000, static_cast<LONG>(300 + 250 * std::sin(i * 0.01 * (t + 1)))});
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 255, 0));
  SelectObject(dc, pen);
  for (auto _ : state) {
    for (const auto& trace : traces) Polyline(dc, trace.data(), static_cast<int>(trace.size()));
    benchmark::ClobberMemory();
  }
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
  SelectObject(dc, old);
  DeleteObject(bm);
  DeleteDC(dc);
}
BENCHMARK(BM_EightPolylines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
