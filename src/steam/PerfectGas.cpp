#include "steam/Fluid.h"
#include "steam/IF97.h"

#include <cmath>

namespace corvellan::steam {

namespace {

// Entropy is measured from water's triple point.
constexpr double kReferenceT = 273.16;
constexpr double kReferenceP = 611.657;

class PerfectGas final : public Fluid {
  public:
    explicit PerfectGas(double gamma) : gamma_(gamma), cv_(kWaterGasConstant / (gamma - 1)) {}

    std::string name() const override { return "perfect-gas"; }

    FluidState fromDensityEnergy(double rho, double u, const FluidState*) const override {
        return make(rho, u / cv_);
    }
    FluidState fromPressureTemperature(double p, double T) const override {
        return make(p / (kWaterGasConstant * T), T);
    }
    FluidState fromPressureEntropy(double p, double s) const override {
        // s = cp ln(T/T0) - R ln(p/p0)
        const double cp = gamma_ * cv_;
        const double T =
            kReferenceT * std::exp((s + kWaterGasConstant * std::log(p / kReferenceP)) / cp);
        return fromPressureTemperature(p, T);
    }
    FluidState saturatedVapour(double p) const override {
        return fromPressureTemperature(p, saturationTemperature(p));
    }
    double saturationTemperature(double p) const override {
        return if97::saturationTemperature(p);
    }

  private:
    FluidState make(double rho, double T) const {
        FluidState st;
        st.rho = rho;
        st.T = T;
        st.u = cv_ * T;
        st.p = (gamma_ - 1) * rho * st.u;
        st.h = gamma_ * st.u;
        st.s = gamma_ * cv_ * std::log(T / kReferenceT) -
               kWaterGasConstant * std::log(st.p / kReferenceP);
        st.quality = -1;
        st.flowExponent = gamma_;
        return st;
    }

    double gamma_;
    double cv_;
};

} // namespace

std::unique_ptr<Fluid> makePerfectGas(double gamma) {
    return std::make_unique<PerfectGas>(gamma);
}

} // namespace corvellan::steam
