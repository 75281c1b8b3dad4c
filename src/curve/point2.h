// point2.h — a point of the plane in scene units.
//
// Scene units: origin at the window centre, y up, one unit per pixel for even
// window sizes. Plain record, no invariants.
#pragma once

struct Point2 {
    double x;
    double y;
};
