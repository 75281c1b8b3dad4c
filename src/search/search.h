// search.h — best-first subdivision search for the curve sample nearest to Q.
//
// Pieces of the curve are split at their parameter midpoint; each piece is enclosed
// in a region whose key bounds the distance of every point of the piece (bounds.h);
// a child whose key is strictly above the best sample's distance is discarded, and
// the piece with the smallest key is always split next. The search ends when the
// piece taken from the queue is at MAX_LEVEL, or when the queue runs dry (with Q
// beyond the search's reach every piece can be discarded). Samples are t = 0, t = 1
// and one midpoint per expansion; every midpoint is a multiple of 2^-10 and therefore
// an exact table row.
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
    // |p0 - q| and |p1 - q| of each pool node. A child shares one end with its parent
    // and the other with the midpoint sample, so the capsule key needs no new root.
    double endDistance[POOL_CAPACITY][2];
    // The midpoint sample of each queued node below the depth limit, and its distance
    // from Q, evaluated as the node is queued: off the path from popping a node to
    // its children's keys, which is where an expansion waits.
    Point2 midPoint[POOL_CAPACITY];
    double midDistance[POOL_CAPACITY];
};

namespace search_detail {

inline bool atDepthLimit(const SearchNode& node) {
    return node.level == MAX_LEVEL;
}

inline bool canDiscard(const SearchNode& node, const SearchState& state) {
    return node.key > state.bestDistance;
}

// Keeps `sample`, `distance` from Q, when it is strictly closer than the best so far;
// ties keep the older.
inline void offerSample(SearchState& state, const Point2& sample, int row, double distance) {
    if (state.bestDistance > distance) {
        state.bestDistance = distance;
        state.bestPoint = sample;
        state.bestRow = row;
    }
}

inline int midpointRow(const SearchNode& node) {
    return rowForParameter((node.t1 + node.t0) * 0.5);
}

// Key of a node with end distances d0, d1, as computeKey would set it.
template <bool BOX>
inline double keyOf(const SearchNode& node, const Point2& q, double d0, double d1) {
    if constexpr (BOX)
        return boxKey(node.p0, node.p1, node.radius, q);
    else
        return capsuleKeyFromEnds(node.p0, node.p1, node.radius, q, d0, d1);
}

// Fills pool slot i with a child of `parent` over [t0, t1] and computes its key.
template <bool BOX>
inline void makeChild(SearchState& state, int i, const SearchNode& parent, const Point2& p0,
                      const Point2& p1, double t0, double t1, double d0, double d1,
                      const Point2& q) {
    SearchNode& child = state.pool.nodes[i];
    child = {parent.level + 1, p0, p1, t0, t1, parent.radius * CHILD_RADIUS_FACTOR, 0.0};
    child.key = keyOf<BOX>(child, q, d0, d1);
    state.endDistance[i][0] = d0;
    state.endDistance[i][1] = d1;
}

// Queues pool node `node`; a node that will be split if popped gets its midpoint now.
inline void enqueue(SearchState& state, int node, const Scene& scene, const BernsteinTable& table) {
    const SearchNode& n = state.pool.nodes[node];
    if (!atDepthLimit(n)) {
        state.midPoint[node] = evaluateRow(table, scene.points, midpointRow(n));
        state.midDistance[node] = distanceBetween(state.midPoint[node], queryPoint(scene));
    }
    nodeQueuePush(state.queue, node, n.key);
    if (state.queue.size > state.maxQueue) state.maxQueue = state.queue.size;
}

template <class Sink>
void retire(SearchState& state, const SearchNode& node, Sink& sink) {
    ++state.retired;
    sink(node);
}

// Queues child i, or retires it on the spot when its key cannot beat the best sample.
template <class Sink>
void admit(SearchState& state, int i, const Scene& scene, const BernsteinTable& table, Sink& sink) {
    if (canDiscard(state.pool.nodes[i], state)) {
        ++state.discarded;
        retire(state, state.pool.nodes[i], sink);
    } else {
        enqueue(state, i, scene, table);
    }
}

// Splits pool node `parent` at its parameter midpoint and admits both halves.
template <bool BOX, class Sink>
void expand(SearchState& state, const Scene& scene, const BernsteinTable& table, int parent,
            Sink& sink) {
    const SearchNode& node = state.pool.nodes[parent];
    const Point2& q = queryPoint(scene);
    const double tm = (node.t1 + node.t0) * 0.5;
    const Point2 mid = state.midPoint[parent];
    const double midDistance = state.midDistance[parent];
    offerSample(state, mid, rowForParameter(tm), midDistance);

    const int left = state.nodeCount;
    const double* ends = state.endDistance[parent];
    makeChild<BOX>(state, left, node, node.p0, mid, node.t0, tm, ends[0], midDistance, q);
    makeChild<BOX>(state, left + 1, node, mid, node.p1, tm, node.t1, midDistance, ends[1], q);
    admit(state, left, scene, table, sink);
    admit(state, left + 1, scene, table, sink);
    state.nodeCount += 2;
    ++state.expansions;
}

template <bool BOX, class Sink>
void search(SearchState& state, const Scene& scene, const BernsteinTable& table, Sink& sink) {
    const Point2& q = queryPoint(scene);
    nodeQueueClear(state.queue);
    state.bestDistance = INITIAL_BEST_DISTANCE;
    state.bestRow = NO_ROW;
    state.expansions = state.discarded = state.retired = state.maxQueue = 0;

    SearchNode& root = state.pool.nodes[0];
    root.p0 = evaluateRow(table, scene.points, 0);
    const double d0 = distanceBetween(root.p0, q);
    offerSample(state, root.p0, 0, d0);
    root.p1 = evaluateRow(table, scene.points, TABLE_STEPS);
    const double d1 = distanceBetween(root.p1, q);
    offerSample(state, root.p1, TABLE_STEPS, d1);
    root.t0 = 0.0;
    root.t1 = 1.0;
    root.level = 0;
    root.radius = rootRadius(scene.points);
    root.key = keyOf<BOX>(root, q, d0, d1);
    state.endDistance[0][0] = d0;
    state.endDistance[0][1] = d1;
    state.nodeCount = 1;
    enqueue(state, 0, scene, table);  // the root is never tested against bestDistance

    // A queue that runs dry ends the search like a node at the depth limit, with
    // nothing left to drain.
    for (int top = nodeQueuePop(state.queue); top != NO_NODE; top = nodeQueuePop(state.queue)) {
        if (atDepthLimit(state.pool.nodes[top])) {
            retire(state, state.pool.nodes[top], sink);
            break;
        }
        expand<BOX>(state, scene, table, top, sink);
    }
    for (int left = nodeQueuePop(state.queue); left != NO_NODE; left = nodeQueuePop(state.queue))
        retire(state, state.pool.nodes[left], sink);
}

}  // namespace search_detail

// One complete search on `scene` with the table; every retired node goes to
// sink(const SearchNode&). Leaves the figures and the nearest sample in `state`.
template <class Sink>
void runNearestSearch(SearchState& state, const Scene& scene, const BernsteinTable& table,
                      Sink&& sink) {
    if (scene.boxBounds)
        search_detail::search<true>(state, scene, table, sink);
    else
        search_detail::search<false>(state, scene, table, sink);
}
