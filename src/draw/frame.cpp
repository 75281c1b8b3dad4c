#include "draw/frame.h"

#include "draw/outline.h"

void drawConnector(Canvas& canvas, const Point2& q, const Point2& nearest) {
    canvas.setColor(CONNECTOR_COLOR);
    canvas.setLineWidth(CONNECTOR_WIDTH);
    canvas.begin(Primitive::Lines);
    canvas.vertex(q.x, q.y);
    canvas.vertex(nearest.x, nearest.y);
    canvas.end();
}

void drawCurve(Canvas& canvas, const Scene& scene, const BernsteinTable& table) {
    canvas.setLineWidth(CURVE_WIDTH);
    canvas.setColor(CURVE_COLOR);
    canvas.begin(Primitive::LineStrip);
    for (int k = 0; k <= TABLE_STEPS; k += CURVE_ROW_STRIDE) {
        const Point2 p = evaluateRow(table, scene.points, k);
        canvas.vertex(p.x, p.y);
    }
    canvas.end();
}

void drawPoints(Canvas& canvas, const Scene& scene) {
    canvas.begin(Primitive::Points);
    canvas.setColor(CONTROL_POINT_COLOR);
    for (int i = 0; i < CONTROL_POINT_COUNT; ++i)
        canvas.vertex(scene.points[i].x, scene.points[i].y);
    canvas.setColor(QUERY_POINT_COLOR);
    canvas.vertex(queryPoint(scene).x, queryPoint(scene).y);
    canvas.end();
}

int drawFrame(Canvas& canvas, const Scene& scene, const BernsteinTable& table,
              SearchState& search) {
    int outlineCount = 0;
    runNearestSearch(search, scene, table, [&](const SearchNode& node) {
        drawOutline(canvas, scene, outlineCount, node);
    });
    drawConnector(canvas, queryPoint(scene), search.bestPoint);
    drawCurve(canvas, scene, table);
    drawPoints(canvas, scene);
    return outlineCount;
}
