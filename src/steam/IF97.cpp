#include "steam/IF97.h"

#include "steam/Fluid.h"

#include <array>
#include <cmath>
#include <cstddef>

namespace corvellan::steam::if97 {

namespace {

constexpr double R = kWaterGasConstant;

// Coefficients of the saturation-pressure equation (release, table 34).
constexpr double n4[11] = {0,
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

// The B23 equation (release, table 1).
constexpr double nB23[6] = {0,
                            0.34805185628969e3,
                            -0.11671859879975e1,
                            0.10192970039326e-2,
                            0.57254459862746e3,
                            0.13918839778870e2};

// Region 1 (release, table 2): gamma = sum n (7.1 - pi)^I (tau - 1.222)^J,
// pi = p / 16.53 MPa, tau = 1386 K / T.
struct Term {
    int I, J;
    double n;
};
constexpr Term region1Terms[34] = {
    {0, -2, 0.14632971213167},        {0, -1, -0.84548187169114},
    {0, 0, -0.37563603672040e1},      {0, 1, 0.33855169168385e1},
    {0, 2, -0.95791963387872},        {0, 3, 0.15772038513228},
    {0, 4, -0.16616417199501e-1},     {0, 5, 0.81214629983568e-3},
    {1, -9, 0.28319080123804e-3},     {1, -7, -0.60706301565874e-3},
    {1, -1, -0.18990068218419e-1},    {1, 0, -0.32529748770505e-1},
    {1, 1, -0.21841717175414e-1},     {1, 3, -0.52838357969930e-4},
    {2, -3, -0.47184321073267e-3},    {2, 0, -0.30001780793026e-3},
    {2, 1, 0.47661393906987e-4},      {2, 3, -0.44141845330846e-5},
    {2, 17, -0.72694996297594e-15},   {3, -4, -0.31679644845054e-4},
    {3, 0, -0.28270797985312e-5},     {3, 6, -0.85205128120103e-9},
    {4, -5, -0.22425281908000e-5},    {4, -2, -0.65171222895601e-6},
    {4, 10, -0.14341729937924e-12},   {5, -8, -0.40516996860117e-6},
    {8, -11, -0.12734301741641e-8},   {8, -6, -0.17424871230634e-9},
    {21, -29, -0.68762131295531e-18}, {23, -31, 0.14478307828521e-19},
    {29, -38, 0.26335781662795e-22},  {30, -39, -0.11947622640071e-22},
    {31, -40, 0.18228094581404e-23},  {32, -41, -0.93537087292458e-25}};
constexpr double kRegion1Pressure = 16.53e6;
constexpr double kRegion1Temperature = 1386;

// Region 2, ideal-gas part (release, table 10): gamma0 = ln pi + sum n tau^J.
constexpr Term region2Ideal[9] = {
    {0, 0, -0.96927686500217e1},  {0, 1, 0.10086655968018e2}, {0, -5, -0.56087911283020e-2},
    {0, -4, 0.71452738081455e-1}, {0, -3, -0.40710498223928}, {0, -2, 0.14240819171444e1},
    {0, -1, -0.43839511319450e1}, {0, 2, -0.28408632460772},  {0, 3, 0.21268463753307e-1}};
// Region 2, residual part (release, table 11): gammar = sum n pi^I (tau - 0.5)^J,
// pi = p / 1 MPa, tau = 540 K / T.
constexpr Term region2Residual[43] = {
    {1, 0, -0.17731742473213e-2},   {1, 1, -0.17834862292358e-1},
    {1, 2, -0.45996013696365e-1},   {1, 3, -0.57581259083432e-1},
    {1, 6, -0.50325278727930e-1},   {2, 1, -0.33032641670203e-4},
    {2, 2, -0.18948987516315e-3},   {2, 4, -0.39392777243355e-2},
    {2, 7, -0.43797295650573e-1},   {2, 36, -0.26674547914087e-4},
    {3, 0, 0.20481737692309e-7},    {3, 1, 0.43870667284435e-6},
    {3, 3, -0.32277677238570e-4},   {3, 6, -0.15033924542148e-2},
    {3, 35, -0.40668253562649e-1},  {4, 1, -0.78847309559367e-9},
    {4, 2, 0.12790717852285e-7},    {4, 3, 0.48225372718507e-6},
    {5, 7, 0.22922076337661e-5},    {6, 3, -0.16714766451061e-10},
    {6, 16, -0.21171472321355e-2},  {6, 35, -0.23895741934104e2},
    {7, 0, -0.59059564324270e-17},  {7, 11, -0.12621808899101e-5},
    {7, 25, -0.38946842435739e-1},  {8, 8, 0.11256211360459e-10},
    {8, 36, -0.82311340897998e1},   {9, 13, 0.19809712802088e-7},
    {10, 4, 0.10406965210174e-18},  {10, 10, -0.10234747095929e-12},
    {10, 14, -0.10018179379511e-8}, {16, 29, -0.80882908646985e-10},
    {16, 50, 0.10693031879409},     {18, 57, -0.33662250574171},
    {20, 20, 0.89185845355421e-24}, {20, 35, 0.30629316876232e-12},
    {20, 48, -0.42002467698208e-5}, {21, 21, -0.59056029685639e-25},
    {22, 53, 0.37826947613457e-5},  {23, 39, -0.12768608934681e-14},
    {24, 26, 0.73087610595061e-28}, {24, 40, 0.55414715350778e-16},
    {24, 58, -0.94369707241210e-6}};
constexpr double kRegion2Pressure = 1e6;
constexpr double kRegion2Temperature = 540;

// x^k for k = lo .. hi. The sums need every power of two variables, and a
// table is far cheaper than a pow() per term; four interleaved chains of
// products keep the multiplier busy instead of waiting on one long chain.
template <int Lo, int Hi> struct Powers {
    static_assert(Hi >= 3 && (Lo == 0 || Lo <= -3));
    double at[Hi - Lo + 1];
    explicit Powers(double x) {
        const double x2 = x * x, x4 = x2 * x2;
        double* up = at - Lo; // up[k] = x^k
        up[0] = 1;
        if constexpr (Hi >= 3) {
            up[1] = x;
            up[2] = x2;
            up[3] = x2 * x;
            for (int k = 4; k <= Hi; ++k)
                up[k] = up[k - 4] * x4;
        }
        if constexpr (Lo <= -3) {
            const double y = 1 / x, y2 = y * y, y4 = y2 * y2;
            up[-1] = y;
            up[-2] = y2;
            up[-3] = y2 * y;
            for (int k = -4; k >= Lo; --k)
                up[k] = up[k + 4] * y4;
        }
    }
    double operator()(int k) const { return at[k - Lo]; }
};

// The sums of a Gibbs equation's terms n a^I b^J, weighted by the exponents
// its derivatives bring down: the derivatives in a and b are these over
// powers of a and b.
struct Sums {
    double S = 0, SI = 0, SII = 0, SJ = 0, SJJ = 0, SIJ = 0;
};

// A dimensionless Gibbs energy and its derivatives in pi and tau.
struct Gibbs {
    double g = 0, gp = 0, gpp = 0, gt = 0, gtt = 0, gpt = 0;
};

// A term with its exponents as the factors its derivatives bring down.
struct Weighted {
    int I, J;
    double n, dI, dII, dJ, dJJ;
};
template <std::size_t N> constexpr std::array<Weighted, N> weighted(const Term (&terms)[N]) {
    std::array<Weighted, N> w{};
    for (std::size_t k = 0; k < N; ++k) {
        const Term& t = terms[k];
        w[k] = {t.I,
                t.J,
                t.n,
                double(t.I),
                double(t.I * (t.I - 1)),
                double(t.J),
                double(t.J * (t.J - 1))};
    }
    return w;
}

// The terms come sorted by I, so each run of one I sums its b-powers first
// and takes a^I once.
template <int ALo, int AHi, int BLo, int BHi, std::size_t N>
Sums sums(const std::array<Weighted, N>& terms, double a, double b) {
    const Powers<ALo, AHi> ap(a);
    const Powers<BLo, BHi> bp(b);
    Sums s;
    std::size_t k = 0;
    while (k < N) {
        const Weighted& first = terms[k];
        double T0 = 0, TJ = 0, TJJ = 0;
        for (; k < N && terms[k].I == first.I; ++k) {
            const double t = terms[k].n * bp(terms[k].J);
            T0 += t;
            TJ += terms[k].dJ * t;
            TJJ += terms[k].dJJ * t;
        }
        const double aI = ap(first.I);
        const double t0 = aI * T0, tJ = aI * TJ;
        s.S += t0;
        s.SI += first.dI * t0;
        s.SII += first.dII * t0;
        s.SJ += tJ;
        s.SJJ += aI * TJJ;
        s.SIJ += first.dI * tJ;
    }
    return s;
}

constexpr auto region1Weighted = weighted(region1Terms);
constexpr auto region2Weighted = weighted(region2Residual);

} // namespace

double saturationPressure(double T) {
    const double theta = T + n4[9] / (T - n4[10]);
    const double A = theta * theta + n4[1] * theta + n4[2];
    const double B = n4[3] * theta * theta + n4[4] * theta + n4[5];
    const double C = n4[6] * theta * theta + n4[7] * theta + n4[8];
    const double r = 2 * C / (-B + std::sqrt(B * B - 4 * A * C));
    return r * r * r * r * 1e6;
}

double saturationTemperature(double p) {
    const double beta = std::pow(p / 1e6, 0.25);
    const double E = beta * beta + n4[3] * beta + n4[6];
    const double F = n4[1] * beta * beta + n4[4] * beta + n4[7];
    const double G = n4[2] * beta * beta + n4[5] * beta + n4[8];
    const double D = 2 * G / (-F - std::sqrt(F * F - 4 * E * G));
    const double s = n4[10] + D;
    return (s - std::sqrt(s * s - 4 * (n4[9] + n4[10] * D))) / 2;
}

double saturationPressureSlope(double T) {
    // The line is the implicit quadratic Phi(beta, theta) = 0 of the release's
    // equation 29, beta = (p / 1 MPa)^(1/4): dbeta/dtheta = -Phi_theta / Phi_beta.
    const double theta = T + n4[9] / (T - n4[10]);
    const double beta = std::sqrt(std::sqrt(saturationPressure(T) / 1e6));
    const double Pb = 2 * beta * theta * theta + 2 * n4[1] * beta * theta + 2 * n4[2] * beta +
                      n4[3] * theta * theta + n4[4] * theta + n4[5];
    const double Pt = 2 * beta * beta * theta + n4[1] * beta * beta + 2 * n4[3] * beta * theta +
                      n4[4] * beta + 2 * n4[6] * theta + n4[7];
    const double dthetadT = 1 - n4[9] / ((T - n4[10]) * (T - n4[10]));
    return 4 * beta * beta * beta * (-Pt / Pb) * dthetadT * 1e6;
}

double b23Pressure(double T) {
    return (nB23[1] + nB23[2] * T + nB23[3] * T * T) * 1e6;
}

double b23Temperature(double p) {
    return nB23[4] + std::sqrt((p / 1e6 - nB23[5]) / nB23[3]);
}

Region regionOf(double p, double T) {
    if (!std::isfinite(p) || !std::isfinite(T) || p <= 0 || T < kMinTemperature)
        return Region::Outside;
    if (T > kRegion2MaxTemperature)
        return (T <= 2273.15 && p <= 50e6) ? Region::Five : Region::Outside;
    if (p > kMaxPressure) return Region::Outside;
    if (T <= kRegion1MaxTemperature) return p <= saturationPressure(T) ? Region::Two : Region::One;
    if (T <= kB23MaxTemperature && p > b23Pressure(T)) return Region::Three;
    return Region::Two;
}

Properties region1(double p, double T) {
    const double pi = p / kRegion1Pressure;
    const double tau = kRegion1Temperature / T;
    // a and b stay well away from 0 over the region (a > 1, b > 1).
    const double a = 7.1 - pi, b = tau - 1.222;
    const Sums S = sums<0, 32, -41, 17>(region1Weighted, a, b);
    Gibbs G;
    G.g = S.S;
    G.gp = -S.SI / a;
    G.gpp = S.SII / (a * a);
    G.gt = S.SJ / b;
    G.gtt = S.SJJ / (b * b);
    G.gpt = -S.SIJ / (a * b);
    const double RT = R * T;
    const double tt = tau * tau * G.gtt;
    const double e = G.gp - tau * G.gpt;
    Properties P;
    P.v = RT * G.gp / kRegion1Pressure;
    P.u = RT * (tau * G.gt - pi * G.gp);
    P.h = RT * tau * G.gt;
    P.s = R * (tau * G.gt - G.g);
    P.cp = -R * tt;
    P.cv = R * (-tt + e * e / G.gpp);
    P.w = std::sqrt(RT * G.gp * G.gp / (e * e / tt - G.gpp));
    P.dvdp = RT * G.gpp / (kRegion1Pressure * kRegion1Pressure);
    P.dvdT = R * e / kRegion1Pressure;
    P.dudT = R * (-pi * G.gp - tt + tau * pi * G.gpt);
    P.dudp = RT * (tau * G.gpt - G.gp - pi * G.gpp) / kRegion1Pressure;
    return P;
}

Properties region2(double p, double T) {
    const double pi = p / kRegion2Pressure;
    const double tau = kRegion2Temperature / T;
    // The ideal-gas part.
    const Powers<-5, 3> t(tau);
    double g0 = std::log(pi), S1 = 0, S2 = 0;
    for (const Term& k : region2Ideal) {
        const double term = k.n * t(k.J), J = k.J;
        g0 += term;
        S1 += J * term;
        S2 += J * (J - 1) * term;
    }
    const double g0t = S1 / tau, g0tt = S2 / (tau * tau);
    // The residual part, kept as pi gr_pi, pi^2 gr_pipi and pi gr_pitau so
    // that nothing divides by pi: the vapour stays finite however thin.
    // b = tau - 0.5 is at least 0.0032 up to 1073.15 K.
    const double b = tau - 0.5;
    const Sums S = sums<0, 24, 0, 58>(region2Weighted, pi, b);
    const double gr = S.S, grt = S.SJ / b, grtt = S.SJJ / (b * b);
    const double piGrp = S.SI, pi2Grpp = S.SII, piGrpt = S.SIJ / b;
    const double RT = R * T;
    const double tt = tau * tau * (g0tt + grtt);
    const double A = piGrp;
    const double B = pi2Grpp;
    const double C = tau * piGrpt;
    const double e = 1 + A - C;
    const double taugt = tau * (g0t + grt);
    Properties P;
    P.v = RT / p * (1 + A);
    P.u = RT * (taugt - 1 - A);
    P.h = RT * taugt;
    P.s = R * (taugt - g0 - gr);
    P.cp = -R * tt;
    P.cv = R * (-tt - e * e / (1 - B));
    P.w = std::sqrt(RT * (1 + A) * (1 + A) / ((1 - B) + e * e / tt));
    P.dvdp = -RT / (p * p) * (1 - B);
    P.dvdT = R / p * e;
    P.dudT = R * (-1 - A - tt + C);
    P.dudp = RT / p * (C - A - B);
    return P;
}

} // namespace corvellan::steam::if97
