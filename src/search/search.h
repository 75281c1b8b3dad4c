// search.h — best-first subdivision search for the curve sample nearest to Q.
//
// Pieces of the curve are split at their parameter midpoint; each piece is enclosed
// in a region whose key bounds the distance of every point of the piece (bounds.h);
// a child whose key is strictly above the best sample's distance is discarded, and
// the piece with the smallest key is always split next. The search ends when the
// piece taken from the queue is at MAX_LEVEL (or, for Q out of reach, when the queue
// runs dry). Samples are t = 0, t = 1 and one midpoint per expansion; every midpoint
// is a multiple of 2^-10 and therefore an exact table row.
//
// Every node the search does not expand is handed, once, to the caller's sink at the
// moment it is retired: discarded children as they are discarded, then the node that
// ended the loop, then the queue's leftovers in pop order (smallest key first). The
// sink is a template parameter, resolved at compile time.
//
// SearchState holds the fixed pool (2047 nodes) and queue (1024 entries), which are
// exactly a search's worst case; no allocation. Only bestPoint survives between
// searches: when no sample comes strictly closer than INITIAL_BEST_DISTANCE the
// previous point stays (and bestRow is NO_ROW).
#pragma once

#include "curve/bernstein.h"
#include "curve/scene.h"
#include "search/bounds.h"
#include "search/node_queue.h"
#include "search/search_node.h"

constexpr int MAX_LEVEL = 10;
constexpr double INITIAL_BEST_DISTANCE = 30000.0;  // the search's reach
constexpr int NO_ROW = -1;

struct SearchState {
    NodePool pool;
    NodeQueue queue;
    int nodeCount = 0;  // next free pool slot
    double bestDistance = INITIAL_BEST_DISTANCE;
    Point2 bestPoint = {0.0, 0.0};  // kept across searches
    int bestRow = NO_ROW;           // table row of bestPoint, NO_ROW if no sample was in reach
    int expansions = 0;
    int discarded = 0;  // children retired at once because their key exceeded bestDistance
    int retired = 0;    // nodes handed to the sink
    int maxQueue = 0;   // largest queue size seen
};

namespace search_detail {

inline bool atDepthLimit(const SearchNode& node) {
    return node.level == MAX_LEVEL;
}

inline bool canDiscard(const SearchNode& node, const SearchState& state) {
    return node.key > state.bestDistance;
}

// Keeps `sample` when it is strictly closer than the best so far; ties keep the older.
inline void offerSample(SearchState& state, const Point2& sample, int row, const Point2& q) {
    const double distance = distanceBetween(sample, q);
    if (state.bestDistance > distance) {
        state.bestDistance = distance;
        state.bestPoint = sample;
        state.bestRow = row;
    }
}

inline void enqueue(SearchState& state, int node) {
    nodeQueuePush(state.queue, node, state.pool.nodes[node].key);
    if (state.queue.size > state.maxQueue) state.maxQueue = state.queue.size;
}

template <class Sink>
void retire(SearchState& state, const SearchNode& node, Sink& sink) {
    ++state.retired;
    sink(node);
}

inline SearchNode makeChild(const SearchNode& parent, const Point2& p0, const Point2& p1, double t0,
                            double t1) {
    return {parent.level + 1, p0, p1, t0, t1, parent.radius * CHILD_RADIUS_FACTOR, 0.0};
}

// Splits `node` at its parameter midpoint; each child is queued or, when its key
// cannot beat the best sample, retired on the spot.
template <class Sink>
void expand(SearchState& state, const Scene& scene, const BernsteinTable& table,
            const SearchNode& node, Sink& sink) {
    const Point2& q = queryPoint(scene);
    const double tm = (node.t1 + node.t0) * 0.5;
    const int row = rowForParameter(tm);
    const Point2 mid = evaluateRow(table, scene.points, row);
    offerSample(state, mid, row, q);

    const int left = state.nodeCount;
    SearchNode* children = &state.pool.nodes[left];
    children[0] = makeChild(node, node.p0, mid, node.t0, tm);
    children[1] = makeChild(node, mid, node.p1, tm, node.t1);
    computeKey(children[0], q, scene.boxBounds);
    computeKey(children[1], q, scene.boxBounds);
    for (int i = 0; i < 2; ++i) {
        if (canDiscard(children[i], state)) {
            ++state.discarded;
            retire(state, children[i], sink);
        } else {
            enqueue(state, left + i);
        }
    }
    state.nodeCount += 2;
    ++state.expansions;
}

}  // namespace search_detail

// One complete search on `scene` with the table; every retired node goes to
// sink(const SearchNode&). Leaves the figures and the nearest sample in `state`.
template <class Sink>
void runNearestSearch(SearchState& state, const Scene& scene, const BernsteinTable& table,
                      Sink&& sink) {
    using namespace search_detail;
    const Point2& q = queryPoint(scene);
    nodeQueueClear(state.queue);
    state.bestDistance = INITIAL_BEST_DISTANCE;
    state.bestRow = NO_ROW;
    state.expansions = state.discarded = state.retired = state.maxQueue = 0;

    SearchNode& root = state.pool.nodes[0];
    root.p0 = evaluateRow(table, scene.points, 0);
    offerSample(state, root.p0, 0, q);
    root.p1 = evaluateRow(table, scene.points, TABLE_STEPS);
    offerSample(state, root.p1, TABLE_STEPS, q);
    root.t0 = 0.0;
    root.t1 = 1.0;
    root.level = 0;
    root.radius = rootRadius(scene.points);
    computeKey(root, q, scene.boxBounds);
    state.nodeCount = 1;
    enqueue(state, 0);  // the root is never tested against bestDistance

    // A queue that runs dry (Q beyond the search's reach) ends the search like a
    // node at the depth limit, with nothing left to drain.
    for (int top = nodeQueuePop(state.queue); top != NO_NODE; top = nodeQueuePop(state.queue)) {
        const SearchNode& node = state.pool.nodes[top];
        if (atDepthLimit(node)) {
            retire(state, node, sink);
            break;
        }
        expand(state, scene, table, node, sink);
    }
    for (int left = nodeQueuePop(state.queue); left != NO_NODE; left = nodeQueuePop(state.queue))
        retire(state, state.pool.nodes[left], sink);
}
