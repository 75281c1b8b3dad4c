// alloc_test.cpp — drawing frames must never touch the heap.
//
// The viewer draws a frame on every redraw, mouse motion included, so the search,
// the outlines and the rest of the frame run on fixed storage. These tests count
// every allocation the process makes (counting_allocator.h) while 10,000 frames of
// varied scenes are drawn, and first prove that the count would see one creeping in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "counting_allocator.h"
#include "draw/frame.h"

namespace {

// Storing a block's address here keeps the optimiser from eliding the allocation.
void* volatile escaped = nullptr;

template <class Work>
AllocationCounts allocationsDuring(Work&& work) {
    const AllocationCounts before = allocationCounts();
    work();
    return allocationCounts() - before;
}

BernsteinTable makeTable() {
    BernsteinTable table;
    buildBernsteinTable(table, buildBinomials());
    return table;
}

const BernsteinTable& table() {
    static const BernsteinTable built = makeTable();
    return built;
}

// What one frame did, recorded into storage reserved before the counting starts.
struct FrameRecord {
    int outlines;
    int bestRow;
    bool ranDry;  // every node was discarded: Q lay beyond the search's reach
};

// Draws each scene once on `canvas` with one persistent search state, as the viewer does.
void drawAll(Canvas& canvas, const std::vector<Scene>& scenes, SearchState& search,
             std::vector<FrameRecord>& records) {
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        const int outlines = drawFrame(canvas, scenes[i], table(), search);
        records[i] = {outlines, search.bestRow, search.retired == search.discarded};
    }
}

// Scenes the viewer can reach: dragged points near and far, both shapes, hidden
// outlines, a point being dragged, resized windows, and the degenerate curves (all
// control points equal, a straight line, Q on the curve, Q beyond reach).
std::vector<Scene> variedScenes(int count) {
    std::mt19937 random(20240611);
    std::uniform_real_distribution<double> near(-400.0, 400.0);
    std::uniform_real_distribution<double> far(-1e6, 1e6);
    std::vector<Scene> scenes;
    scenes.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Scene scene = defaultScene();
        const int kind = i % 9;
        const bool wide = kind == 8;
        if (kind >= 2) {
            for (Point2& p : scene.points)
                p = wide ? Point2{far(random), far(random)} : Point2{near(random), near(random)};
        }
        switch (kind) {
            case 4:  // one point four times: no chord, no radius
                for (int k = 1; k < CONTROL_POINT_COUNT; ++k) scene.points[k] = scene.points[0];
                break;
            case 5:  // evenly spaced on a line: radius 0
                for (int k = 1; k < CONTROL_POINT_COUNT; ++k)
                    scene.points[k] = {scene.points[0].x + 50.0 * k, scene.points[0].y - 20.0 * k};
                break;
            case 6:
                scene.points[QUERY_POINT] = scene.points[i % CONTROL_POINT_COUNT];
                break;
            case 7:
                scene.points[QUERY_POINT] = {9e5, -9e5};
                break;
            default:
                break;
        }
        scene.boxBounds = (i / 9) % 2 == 1;
        scene.hideOutlines = (i / 18) % 3 == 2;
        scene.selected = i % 7 < SCENE_POINT_COUNT ? i % 7 : NO_SELECTION;
        scene.windowWidth = 200 + 37 * (i % 50);
        scene.windowHeight = 200 + 53 * (i % 40);
        scenes.push_back(scene);
    }
    return scenes;
}

constexpr int FRAME_COUNT = 10000;

TEST(Allocation, EveryAllocatorEntryPointIsCounted) {
    struct Case {
        const char* what;
        void (*allocate)();
    };
    struct alignas(64) Wide {
        double lanes[8];
    };
    const Case cases[] = {
        {"std::vector push_back",
         [] {
             std::vector<int> v;
             v.push_back(1);
             escaped = v.data();
         }},
        {"std::string beyond the small buffer",
         [] {
             std::string s(100, 'q');
             escaped = s.data();
         }},
        {"new and delete",
         [] {
             int* p = new int(3);
             escaped = p;
             delete p;
         }},
        {"new[]",
         [] {
             int* p = new int[5];
             escaped = p;
             delete[] p;
         }},
        {"nothrow new",
         [] {
             int* p = new (std::nothrow) int(3);
             escaped = p;
             delete p;
         }},
        {"over-aligned new",
         [] {
             Wide* p = new Wide();
             escaped = p;
             delete p;
         }},
        {"malloc",
         [] {
             void* p = std::malloc(24);
             escaped = p;
             std::free(p);
         }},
        {"calloc",
         [] {
             void* p = std::calloc(3, 8);
             escaped = p;
             std::free(p);
         }},
        {"realloc",
         [] {
             void* p = std::realloc(nullptr, 40);
             escaped = p;
             std::free(p);
         }},
        {"aligned_alloc",
         [] {
             void* p = std::aligned_alloc(64, 128);
             escaped = p;
             std::free(p);
         }},
        {"posix_memalign",
         [] {
             void* p = nullptr;
             if (posix_memalign(&p, 64, 128) == 0) escaped = p;
             std::free(p);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_GE(allocationsDuring(c.allocate).total(), 1u);
    }
}

// The same loop as below, on a canvas that makes one small vector per batch: the
// count must see it, so the zero below is not an artefact of where it is taken.
TEST(Allocation, AVectorInTheFrameIsSeen) {
    class VectorCanvas final : public Canvas {
    public:
        void setColor(const Rgb&) override {}
        void setLineWidth(double) override {}
        void begin(Primitive) override {
            std::vector<double> scratch(1);
            escaped = scratch.data();
        }
        void vertex(double, double) override {}
        void end() override {}
        void pushTransform(double, double, double) override {}
        void popTransform() override {}
    };
    const std::vector<Scene> scenes = variedScenes(20);
    std::vector<FrameRecord> records(scenes.size());
    auto search = std::make_unique<SearchState>();
    VectorCanvas canvas;
    const AllocationCounts counts =
        allocationsDuring([&] { drawAll(canvas, scenes, *search, records); });
    // At least the curve and the points batch of every frame.
    EXPECT_GE(counts.total(), 2 * scenes.size());
}

TEST(Allocation, TenThousandFramesAllocateNothing) {
    const std::vector<Scene> scenes = variedScenes(FRAME_COUNT);
    std::vector<FrameRecord> records(scenes.size());
    auto search = std::make_unique<SearchState>();
    NullCanvas canvas;
    const AllocationCounts counts =
        allocationsDuring([&] { drawAll(canvas, scenes, *search, records); });
    EXPECT_EQ(counts.mallocCalls, 0u);
    EXPECT_EQ(counts.operatorNews, 0u);

    // The frames really covered the hard paths: long searches with many outlines,
    // frames with outlines hidden, and searches that found nothing in reach.
    int mostOutlines = 0;
    int hiddenFrames = 0;
    int dryFrames = 0;
    for (std::size_t i = 0; i < scenes.size(); ++i) {
        if (records[i].outlines > mostOutlines) mostOutlines = records[i].outlines;
        if (scenes[i].hideOutlines) {
            EXPECT_EQ(records[i].outlines, 0) << i;
            ++hiddenFrames;
        }
        if (records[i].ranDry) {
            EXPECT_EQ(records[i].bestRow, NO_ROW) << i;
            ++dryFrames;
        }
    }
    EXPECT_GT(mostOutlines, 100);
    EXPECT_GT(hiddenFrames, FRAME_COUNT / 4);
    EXPECT_GT(dryFrames, FRAME_COUNT / 20);
}

}  // namespace
