// The viewer's window: its title, size and place on the screen.
#include "harness/viewer_test.h"

namespace {
using WindowTest = ViewerTest;

TEST_F(WindowTest, IsTitledQuillfenAndIs800By800At300And100) {
    EXPECT_EQ(windowTitle(viewer().display(), viewer().window()), "Quillfen");
    const std::optional<WindowGeometry> g = viewer().geometry();
    ASSERT_TRUE(g.has_value());
    EXPECT_EQ(g->x, 300);
    EXPECT_EQ(g->y, 100);
    EXPECT_EQ(g->width, 800);
    EXPECT_EQ(g->height, 800);
}
}  // namespace
