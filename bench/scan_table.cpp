#include "scan_table.h"

#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void buildColumnTable(ColumnTable& columns, const BernsteinTable& table) {
    for (int i = 0; i <= DEGREE; ++i) {
        for (int k = 0; k < TABLE_ROWS + 3; ++k)
            columns.b[i][k] = table.rows[k < TABLE_ROWS ? k : TABLE_ROWS - 1][i];
    }
}

#if defined(__SSE2__)
namespace {
// Keeps, lane by lane, the smaller distance and its row; ties keep the earlier row.
inline void keepNearer(__m128d d, __m128d rows, __m128d& best, __m128d& bestRows) {
    const __m128d nearer = _mm_cmplt_pd(d, best);
    best = _mm_min_pd(d, best);
    bestRows = _mm_or_pd(_mm_and_pd(nearer, rows), _mm_andnot_pd(nearer, bestRows));
}

inline __m128d distanceSquared(const ColumnTable& c, int k, const __m128d* dx, const __m128d* dy) {
    const __m128d b0 = _mm_load_pd(&c.b[0][k]);
    const __m128d b1 = _mm_load_pd(&c.b[1][k]);
    const __m128d b2 = _mm_load_pd(&c.b[2][k]);
    const __m128d b3 = _mm_load_pd(&c.b[3][k]);
    const __m128d x = _mm_add_pd(_mm_add_pd(_mm_mul_pd(b0, dx[0]), _mm_mul_pd(b1, dx[1])),
                                 _mm_add_pd(_mm_mul_pd(b2, dx[2]), _mm_mul_pd(b3, dx[3])));
    const __m128d y = _mm_add_pd(_mm_add_pd(_mm_mul_pd(b0, dy[0]), _mm_mul_pd(b1, dy[1])),
                                 _mm_add_pd(_mm_mul_pd(b2, dy[2]), _mm_mul_pd(b3, dy[3])));
    return _mm_add_pd(_mm_mul_pd(x, x), _mm_mul_pd(y, y));
}
}  // namespace

ScanResult scanTable(const ColumnTable& columns, const Point2* ctrl, const Point2& q) {
    // The rows sum to 1, so B(t) - q = sum of B_i(t) (P_i - q): q costs nothing per row.
    __m128d dx[4];
    __m128d dy[4];
    for (int i = 0; i < 4; ++i) {
        dx[i] = _mm_set1_pd(ctrl[i].x - q.x);
        dy[i] = _mm_set1_pd(ctrl[i].y - q.y);
    }
    const double inf = std::numeric_limits<double>::infinity();
    __m128d best[2] = {_mm_set1_pd(inf), _mm_set1_pd(inf)};
    __m128d bestRows[2] = {_mm_setzero_pd(), _mm_setzero_pd()};
    __m128d rows[2] = {_mm_set_pd(1.0, 0.0), _mm_set_pd(3.0, 2.0)};
    const __m128d four = _mm_set1_pd(4.0);
    for (int k = 0; k < TABLE_ROWS; k += 4) {
        keepNearer(distanceSquared(columns, k, dx, dy), rows[0], best[0], bestRows[0]);
        keepNearer(distanceSquared(columns, k + 2, dx, dy), rows[1], best[1], bestRows[1]);
        rows[0] = _mm_add_pd(rows[0], four);
        rows[1] = _mm_add_pd(rows[1], four);
    }
    alignas(16) double d[4];
    alignas(16) double r[4];
    _mm_store_pd(d, best[0]);
    _mm_store_pd(d + 2, best[1]);
    _mm_store_pd(r, bestRows[0]);
    _mm_store_pd(r + 2, bestRows[1]);
    ScanResult result = {static_cast<int>(r[0]), d[0]};
    for (int i = 1; i < 4; ++i) {
        const int row = static_cast<int>(r[i]);
        if (d[i] < result.distanceSquared || (d[i] == result.distanceSquared && row < result.row))
            result = {row, d[i]};
    }
    return result;
}
#else
ScanResult scanTable(const ColumnTable& columns, const Point2* ctrl, const Point2& q) {
    ScanResult result = {0, std::numeric_limits<double>::infinity()};
    for (int k = 0; k < TABLE_ROWS; ++k) {
        double x = 0.0;
        double y = 0.0;
        for (int i = 0; i < 4; ++i) {
            x += columns.b[i][k] * (ctrl[i].x - q.x);
            y += columns.b[i][k] * (ctrl[i].y - q.y);
        }
        const double d = x * x + y * y;
        if (d < result.distanceSquared) result = {k, d};
    }
    return result;
}
#endif
