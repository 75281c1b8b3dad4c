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
    QueueEntry entries[QUEUE_CAPACITY] = {};
    int size = 0;
};

namespace node_queue_detail {
// Moves the entry at `i` up past every parent with a strictly greater key; the
// entries it passes shift down into the hole it leaves.
inline void siftUp(NodeQueue& queue, int i) {
    const QueueEntry moving = queue.entries[i];
    while (i > 0) {
        const int parent = (i - 1) / 2;
        if (!(queue.entries[parent].key > moving.key)) break;
        queue.entries[i] = queue.entries[parent];
        i = parent;
    }
    queue.entries[i] = moving;
}

// Moves the entry at `i` down. With two children L and R it sinks under L only when L
// is strictly the smaller child, else under R (so on a tie between the children R
// rises), and only past a strictly smaller key: the smaller child is chosen first,
// then a single comparison decides, which keeps the loop to one unpredictable branch.
inline void siftDown(NodeQueue& queue, int i) {
    const QueueEntry moving = queue.entries[i];
    for (int c = 2 * i + 1; c < queue.size; c = 2 * i + 1) {
        if (c + 1 < queue.size && !(queue.entries[c + 1].key > queue.entries[c].key)) ++c;
        if (!(moving.key > queue.entries[c].key)) break;
        queue.entries[i] = queue.entries[c];
        i = c;
    }
    queue.entries[i] = moving;
}
}  // namespace node_queue_detail

// Empties the queue.
inline void nodeQueueClear(NodeQueue& queue) {
    queue.size = 0;
}

// Adds pool node `node` with `key`; false (and no change) when the queue is full.
inline bool nodeQueuePush(NodeQueue& queue, int node, double key) {
    if (queue.size >= QUEUE_CAPACITY) return false;
    queue.entries[queue.size] = {key, node};
    node_queue_detail::siftUp(queue, queue.size);
    ++queue.size;
    return true;
}

// Removes and returns the pool index with the smallest key, NO_NODE when empty.
inline int nodeQueuePop(NodeQueue& queue) {
    if (queue.size == 0) return NO_NODE;
    const int top = queue.entries[0].node;
    --queue.size;
    queue.entries[0] = queue.entries[queue.size];
    node_queue_detail::siftDown(queue, 0);
    return top;
}
