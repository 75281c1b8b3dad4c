#include "curve/bernstein.h"

Binomials buildBinomials() {
    Binomials b{};
    b.c[0] = 1;
    for (int n = 1; n <= DEGREE; ++n) {
        const int h = n / 2;
        for (int j = h; j >= 1; --j) b.c[j] = b.c[j] + b.c[j - 1];
        if (n % 2 == 1) b.c[h + 1] = b.c[h];  // odd rows mirror around the middle
    }
    return b;
}

void buildBernsteinTable(BernsteinTable& table, const Binomials& binomials) {
    for (int k = 0; k <= TABLE_STEPS; ++k) {
        const double t = k * 0.0009765625;  // k * 2^-10
        const double u = 1.0 - t;
        double* row = table.rows[k];
        // The lower half of the index range; the upper half follows by symmetry.
        for (int i = 0; i <= (DEGREE - 1) / 2; ++i) {
            const double c = binomials.c[i];
            row[i] = c * integerPower(t, i) * integerPower(u, DEGREE - i);
            row[DEGREE - i] = c * integerPower(t, DEGREE - i) * integerPower(u, i);
        }
    }
}
