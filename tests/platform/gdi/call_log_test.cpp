// The call log that drawing tests assert on.
#include <gtest/gtest.h>

#include "canvas_fixture.h"
#include "platform/gdi/call_log.h"
#include "platform/gdi/gdi.h"

namespace {

using platform::gdi::testing::Canvas;

TEST(CallLog, RecordsDrawingCallsWithTheirLogicalArguments) {
  Canvas c(20, 20);
  platform::gdi::StartCallLog();
  HPEN pen = CreatePen(PS_DOT, 1, RGB(255, 0, 0));
  SelectObject(c.dc(), pen);
  SetViewportOrgEx(c.dc(), 2, 3, nullptr);
  MoveToEx(c.dc(), 1, 1, nullptr);
  LineTo(c.dc(), 5, 1);
  const POINT pts[] = {{0, 0}, {4, 4}};
  Polyline(c.dc(), pts, 2);
  Rectangle(c.dc(), 0, 0, 10, 10);
  TextOut(c.dc(), 4, 5, "ab", 2);
  const std::vector<std::string> expected = {
      "SelectObject mem pen dot 1 #0000ff", "SetViewportOrgEx mem 2,3", "MoveToEx mem 1,1", "LineTo mem 5,1",
      "Polyline mem 0,0 4,4", "Rectangle mem 0,0,10,10", "TextOut mem 4,5 'ab'"};
  EXPECT_EQ(platform::gdi::TakeCallLog(), expected);
  EXPECT_TRUE(platform::gdi::TakeCallLog().empty());
  platform::gdi::StopCallLog();
  LineTo(c.dc(), 0, 0);
  EXPECT_TRUE(platform::gdi::TakeCallLog().empty());
  SelectObject(c.dc(), GetStockObject(BLACK_PEN));
  DeleteObject(pen);
}

}  // namespace
