// The display's own cursors come with the library: each has its picture while the library is loaded, and the
// pictures go with it when it is unloaded.
#include <gtest/gtest.h>

#include "platform/win/cursor.h"
#include "platform/win/cursor_image.h"
#include "scope/scope_resources.h"
#include "tests/scope/scope_host.h"

namespace {

using scope_test::ScopeHostTest;

TEST_F(ScopeHostTest, OwnCursorsHaveTheirPicturesWhileTheLibraryIsLoaded) {
  HMODULE module = scope_.module;
  for (UINT number : {scope::kZoomInCursor, scope::kZoomOutCursor, scope::kPanCursor, scope::kCaptureCursor}) {
    const auto image = platform::win::CursorImageOf(LoadCursor(module, MAKEINTRESOURCE(number)));
    ASSERT_TRUE(image) << number;
    EXPECT_GE(image->width, 15) << number;
  }
  ASSERT_TRUE(scope_.Unload());
  EXPECT_FALSE(platform::win::CursorImageOf(LoadCursor(module, MAKEINTRESOURCE(scope::kPanCursor))));
}

}  // namespace
