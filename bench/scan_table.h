// scan_table.h — the baseline the search must beat: the nearest of all 1025 rows.
//
// The table is laid out column-wise (all B0, then all B1, ...) and scanned with the
// query point folded into the control points, so each row costs 8 multiply-adds
// and a squared distance, two rows to an SSE2 register with four running minima.
// No allocation; the layout is built once.
#pragma once

#include "curve/bernstein.h"

struct ColumnTable {
    alignas(16) double b[DEGREE + 1][TABLE_ROWS + 3];  // padded to a multiple of 4 rows
};

void buildColumnTable(ColumnTable& columns, const BernsteinTable& table);

struct ScanResult {
    int row;
    double distanceSquared;
};

// The row nearest q (the first on ties) among rows 0..1024, and its squared distance.
ScanResult scanTable(const ColumnTable& columns, const Point2* ctrl, const Point2& q);
