// node_queue.h — binary min-heap of pool nodes, ordered by key.
//
// QUEUE_CAPACITY = 1024 entries: a search queues the root and at most two children
// for each of at most 1023 expansions, each expansion popping one, so it never holds
// more than 1 + 1023 entries. A push onto a full queue is refused (returns false) and
// changes nothing. No allocation.
//
// Entry 0 is the top; entry i has parent (i-1)/2 and children 2i+1, 2i+2. Every
// comparison is strict: a node never passes an equal key on the way up, and when two
// children tie below their parent the right one rises. Each entry carries its node's
// key beside the pool index, so ordering never reads the pool.
#pragma once

constexpr int QUEUE_CAPACITY = 1024;
constexpr int NO_NODE = -1;

struct QueueEntry {
    double key;
    int node;  // index into the NodePool
};

struct NodeQueue {
    QueueEntry entries[QUEUE_CAPACITY];
    int size = 0;
};

void nodeQueueClear(NodeQueue& queue);

// Adds pool node `node` with `key`; false (and no change) when the queue is full.
bool nodeQueuePush(NodeQueue& queue, int node, double key);

// Removes and returns the pool index with the smallest key, NO_NODE when empty.
int nodeQueuePop(NodeQueue& queue);
