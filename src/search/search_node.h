// search_node.h — one piece of the curve in the nearest-point search, and the pool
// the search takes them from.
//
// POOL_CAPACITY = 2047 = 2^11 - 1 slots, the node count of a complete binary tree of
// levels 0..10: the search expands only levels 0..9 (at most 1023 nodes) and each
// expansion takes two slots after the root's, so it can never run out. Slot 0 holds
// the root; nothing is freed during a search and the next search overwrites the pool.
#pragma once

#include <cstdint>

#include "curve/point2.h"

constexpr int POOL_CAPACITY = 2047;

struct SearchNode {
    std::int32_t level;  // 0 for the root, parent + 1 for a child
    Point2 p0;           // curve point at t0
    Point2 p1;           // curve point at t1
    double t0;
    double t1;
    double radius;  // the piece over [t0, t1] stays within this distance of chord p0-p1
    double key;     // lower bound of |Q - region|; negative when Q is inside the region
};

struct NodePool {
    SearchNode nodes[POOL_CAPACITY];
};
