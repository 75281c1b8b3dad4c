#include "search/node_queue.h"

#include <utility>

namespace {
void swapEntries(NodeQueue& queue, int a, int b) {
    std::swap(queue.entries[a], queue.entries[b]);
}

double keyAt(const NodeQueue& queue, int i) {
    return queue.entries[i].key;
}

void siftUp(NodeQueue& queue, int i) {
    while (i > 0) {
        const int parent = (i - 1) / 2;
        if (!(keyAt(queue, parent) > keyAt(queue, i))) return;
        swapEntries(queue, parent, i);
        i = parent;
    }
}

// With two children L and R below X: X sinks under L only when L is strictly the
// smaller child; on a tie between the children R rises.
void siftDown(NodeQueue& queue, int i) {
    for (int c = 2 * i + 1; c < queue.size; c = 2 * i + 1) {
        const double x = keyAt(queue, i);
        const double left = keyAt(queue, c);
        int next = -1;
        if (c + 1 < queue.size) {
            const double right = keyAt(queue, c + 1);
            if (x > left)
                next = right > left ? c : c + 1;
            else if (x > right)
                next = c + 1;
        } else if (x > left) {
            next = c;
        }
        if (next < 0) return;
        swapEntries(queue, i, next);
        i = next;
    }
}
}  // namespace

void nodeQueueClear(NodeQueue& queue) {
    queue.size = 0;
}

bool nodeQueuePush(NodeQueue& queue, int node, double key) {
    if (queue.size >= QUEUE_CAPACITY) return false;
    queue.entries[queue.size] = {key, node};
    siftUp(queue, queue.size);
    ++queue.size;
    return true;
}

int nodeQueuePop(NodeQueue& queue) {
    if (queue.size == 0) return NO_NODE;
    const int top = queue.entries[0].node;
    --queue.size;
    queue.entries[0] = queue.entries[queue.size];
    siftDown(queue, 0);
    return top;
}
