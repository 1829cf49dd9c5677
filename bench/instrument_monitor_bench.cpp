// A drive monitor window's full redraw: six bar gauges through the drawing layer and the cross plot, on a
// memory DC of the window's size. Target: under 1 ms.
#include <benchmark/benchmark.h>

#include <array>

#include "app/drawing/drawing_layer.h"
#include "app/drawing/instruments.h"
#include "platform/gdi/gdi.h"

namespace {

void BM_MonitorFullRedraw(benchmark::State& state) {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, 400, 300);
  HGDIOBJ old = SelectObject(dc, bitmap);
  std::array<app::BarGaugeRecord, 6> gauges;
  for (std::size_t i = 0; i < gauges.size(); ++i) {
    app::BarGaugeRecord& g = gauges[i];
    g.x = static_cast<std::int16_t>(10 + i * 40);
    g.y = 10;
    g.width = 33;
    g.height = 123;
    g.colour = static_cast<std::uint16_t>(2 + i);
    g.minimum = -150;
    g.maximum = 150;
  }
  float value = 0;
  for (auto _ : state) {
    app::BeginDrawOnDc(dc);
    for (app::BarGaugeRecord& g : gauges) {
      g.last = app::kRedrawMark;  // a repaint draws everything
      app::DrawBarGauge(g, value);
    }
    app::EndDrawOnDc();
    app::DrawCrossPlot(dc, 10, 150, 390, 290, 1500, 1200, 60, 400, 15);
    value = value >= 150 ? -150 : value + 7;
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}
BENCHMARK(BM_MonitorFullRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
