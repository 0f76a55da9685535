#include "steam/IF97.h"

#include <cmath>

namespace corvellan::steam::if97 {

namespace {
// Coefficients of the saturation-pressure equation (release, table 34).
constexpr double n[11] = {0,
                          0.11670521452767e4,
                          -0.72421316703206e6,
                          -0.17073846940092e2,
                          0.12020824702470e5,
                          -0.32325550322333e7,
                          0.14915108613530e2,
                          -0.48232657361591e4,
                          0.40511340542057e6,
                          -0.23855557567849,
                          0.65017534844798e3};
} // namespace

double saturationPressure(double T) {
    const double theta = T + n[9] / (T - n[10]);
    const double A = theta * theta + n[1] * theta + n[2];
    const double B = n[3] * theta * theta + n[4] * theta + n[5];
    const double C = n[6] * theta * theta + n[7] * theta + n[8];
    const double r = 2 * C / (-B + std::sqrt(B * B - 4 * A * C));
    return r * r * r * r * 1e6;
}

double saturationTemperature(double p) {
    const double beta = std::pow(p / 1e6, 0.25);
    const double E = beta * beta + n[3] * beta + n[6];
    const double F = n[1] * beta * beta + n[4] * beta + n[7];
    const double G = n[2] * beta * beta + n[5] * beta + n[8];
    const double D = 2 * G / (-F - std::sqrt(F * F - 4 * E * G));
    const double s = n[10] + D;
    return (s - std::sqrt(s * s - 4 * (n[9] + n[10] * D))) / 2;
}

} // namespace corvellan::steam::if97
