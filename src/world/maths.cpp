// The classic constructions: an argument brought into a short range by subtracting a multiple
// of a constant known to twice the precision of a double, then a polynomial fitted over that
// range. The coefficients are the well-known minimax ones of the freely distributable fdlibm.
#include "world/maths.h"

#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

namespace {

constexpr double INVERSE_HALF_PI = 6.36619772367581382433e-01;
// pi / 2 in three pieces of 33 bits, and what is left after the second and after the third,
// so that a multiple of each piece is exact and an argument near a multiple of pi / 2 keeps
// its digits.
constexpr double HALF_PI_1 = 1.57079632673412561417e+00, HALF_PI_2 = 6.07710050630396597660e-11,
                 HALF_PI_3 = 2.02226624871116645580e-21;
constexpr double AFTER_2 = 2.02226624879595063154e-21, AFTER_3 = 8.47842766036889956997e-32;

// The whole number nearest to x, halves away from zero, for the arguments the world gives
// (far inside the range of an int).
int nearest(double x)
{
    return static_cast<int>(x < 0 ? x - 0.5 : x + 0.5);
}

// An argument within pi / 4 of 0, as a double and the small part it misses.
struct Near {
    double y, tail;
};

// sin and cos of y + tail for y in [-pi/4, pi/4].
double sinNear(Near a)
{
    constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                     S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                     S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;
    const double z = a.y * a.y, v = z * a.y;
    const double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
    return a.y - ((z * (0.5 * a.tail - v * r) - a.tail) - v * S1);
}

double cosNear(Near a)
{
    constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                     C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                     C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;
    const double z = a.y * a.y;
    const double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
    const double half = 0.5 * z, w = 1.0 - half;
    return w + (((1.0 - w) - half) + (z * r - a.y * a.tail));
}

// x as y + quarter * pi / 2 (and then some multiple of 2 pi), quarter 0 to 3.
Near reduced(double x, int* quarter)
{
    const int n = nearest(x * INVERSE_HALF_PI);
    *quarter = n & 3;
    double r = x - n * HALF_PI_1, w = 0;
    for (const auto& [piece, rest] : {std::pair(HALF_PI_2, AFTER_2), std::pair(HALF_PI_3, AFTER_3)}) {
        const double t = r;
        w = n * piece;
        r = t - w;
        w = n * rest - ((t - r) - w);
    }
    const double y = r - w;
    return {y, (r - y) - w};
}

// 2 to the k, exactly, for k in the range of normal numbers.
double twoTo(int k)
{
    const std::uint64_t bits = static_cast<std::uint64_t>(k + 1023) << 52;
    double power;
    std::memcpy(&power, &bits, sizeof power);
    return power;
}

}  // namespace

double mathsSin(double x)
{
    int quarter = 0;
    const Near y = reduced(x, &quarter);
    switch (quarter) {
    case 0: return sinNear(y);
    case 1: return cosNear(y);
    case 2: return -sinNear(y);
    default: return -cosNear(y);
    }
}

double mathsCos(double x)
{
    int quarter = 0;
    const Near y = reduced(x, &quarter);
    switch (quarter) {
    case 0: return cosNear(y);
    case 1: return -sinNear(y);
    case 2: return -cosNear(y);
    default: return sinNear(y);
    }
}

double mathsAtan(double x)
{
    // atan of 0.5, 1, 1.5 and infinity, each as the double nearest and what it misses by.
    constexpr double HIGH[] = {4.63647609000806093515e-01, 7.85398163397448278999e-01, 9.82793723247329054082e-01,
                               1.57079632679489655800e+00};
    constexpr double LOW[] = {2.26987774529616870924e-17, 3.06161699786838301793e-17, 1.39033110312309984516e-17,
                              6.12323399573676603587e-17};
    constexpr double T[] = {3.33333333333329318027e-01,  -1.99999999998764832476e-01, 1.42857142725034663711e-01,
                            -1.11111104054623557880e-01, 9.09088713343650656196e-02,  -7.69187620504482999495e-02,
                            6.66107313738753120669e-02,  -5.83357013379057348645e-02, 4.97687799461593236017e-02,
                            -3.65315727442169155270e-02, 1.62858201153657823623e-02};
    if (x != x)
        return x;  // not a number
    const bool negative = x < 0;
    double a = negative ? -x : x;
    int part = -1;  // none: the series serves as it is
    if (a > 7.3786976294838206464e19) {  // 2^66: nearer to pi/2 than a double can tell
        const double far = HIGH[3] + LOW[3];
        return negative ? -far : far;
    }
    if (a >= 0.4375) {
        if (a < 0.6875)
            part = 0, a = (2.0 * a - 1.0) / (2.0 + a);
        else if (a < 1.1875)
            part = 1, a = (a - 1.0) / (a + 1.0);
        else if (a < 2.4375)
            part = 2, a = (a - 1.5) / (1.0 + 1.5 * a);
        else
            part = 3, a = -1.0 / a;
    }
    const double z = a * a, w = z * z;
    const double odd = z * (T[0] + w * (T[2] + w * (T[4] + w * (T[6] + w * (T[8] + w * T[10])))));
    const double even = w * (T[1] + w * (T[3] + w * (T[5] + w * (T[7] + w * T[9]))));
    const double result = part < 0 ? a - a * (odd + even) : HIGH[part] - ((a * (odd + even) - LOW[part]) - a);
    return negative ? -result : result;
}

double mathsExp(double x)
{
    constexpr double LN2_HIGH = 6.93147180369123816490e-01, LN2_LOW = 1.90821492927058770002e-10,
                     INVERSE_LN2 = 1.44269504088896338700e+00;
    constexpr double P1 = 1.66666666666666019037e-01, P2 = -2.77777777770155933842e-03,
                     P3 = 6.61375632143793436117e-05, P4 = -1.65339022054652515390e-06,
                     P5 = 4.13813679705723846039e-08;
    if (x != x)
        return x;
    if (x > 709.782712893383973096)
        return std::numeric_limits<double>::infinity();
    if (x < -708.39641853226410622)  // below the normal numbers: the world never goes there
        return 0;
    // x as k ln 2 + r, r within half of ln 2, worked out in two parts.
    const int k = nearest(x * INVERSE_LN2);
    const double high = x - k * LN2_HIGH, low = k * LN2_LOW, r = high - low;
    const double t = r * r;
    const double c = r - t * (P1 + t * (P2 + t * (P3 + t * (P4 + t * P5))));
    const double y = 1.0 - ((low - (r * c) / (2.0 - c)) - high);
    return k == 0 ? y : k > 1023 ? y * 2.0 * twoTo(k - 1) : y * twoTo(k);
}
