#pragma once
// One end of the cylinder as a control volume: its volume from the piston,
// its two edges (steam from the chest, exhaust to the exhaust), and the
// right-hand side of its equations with their Jacobian for the implicit
// integrator. Internal to the steam library.
//
// The independent variable is the running angle phi (radians from driver
// angle 0 in the running direction), so the equations are the time
// derivatives divided by omega. The state is scaled so the integrator sees
// figures near 1:
//   y = [m, U, W, admitted, exhausted, energy in, energy out, phi]
// with masses over M (the end's largest volume full of chest steam) and
// energies over E = M h_chest. W to energy out are running integrals over
// the revolution; phi is carried as a state of its own (d phi/d phi = 1).

#include "analysis/PistonKinematics.h"
#include "steam/Conditions.h"
#include "steam/Fluid.h"
#include "steam/Indicator.h"
#include "steam/PortMotion.h"

#include <boost/numeric/ublas/matrix.hpp>
#include <boost/numeric/ublas/vector.hpp>

namespace corvellan::steam {

using OdeVector = boost::numeric::ublas::vector<double>;
using OdeMatrix = boost::numeric::ublas::matrix<double>;
constexpr int kEndStates = 8;
enum EndState { Mass, Energy, WorkDone, Admitted, Exhausted, EnergyIn, EnergyOut, Phase };
// The integrals and the angle itself (the last entry, so the system is
// autonomous: Boost's Rosenbrock stepper then needs no time derivative).
constexpr int kFlowStates = 7;

struct EndSetup {
    bool front = true;
    bool forward = true; // driver angle increases with phi
    double pistonArea = 0, stroke = 0, clearance = 0; // m^2, m, fraction
    double portWidth = 0;   // gear length unit (the openings' unit)
    double flowBreadth = 0; // m: discharge coefficient x port breadth
    double lengthScale = 0; // m per gear length unit
    double omega = 0;       // rad/s
    bool perfectGas = false;
    double flowSmoothing = 0;
};

class CylinderEnd {
  public:
    CylinderEnd(const EndSetup& s, const PortMotion& motion, const PistonKinematics& piston,
                const Fluid& fluid, const Reservoirs& reservoirs);

    double driverAngle(double phi) const; // degrees [0, 360)
    double phiAt(double driverAngleDeg) const; // the running angle, [0, 2 pi)
    bool isPerfectGas() const { return setup_.perfectGas; }
    double fraction(double phi) const;    // piston, 0 front dead centre .. 1 rear
    double volume(double phi) const;      // m^3
    double volumeRate(double phi) const;  // dV/dphi, m^3/rad
    double sweptVolume() const { return setup_.pistonArea * setup_.stroke; }
    double clearanceVolume() const { return sweptVolume() * setup_.clearance; }
    double massScale() const { return M_; }
    double energyScale() const { return E_; }

    // The scaled state of the exhaust's steam filling the end at phi.
    OdeVector exhaustFilled(double phi) const;
    // The end's pressure (Pa) for a scaled state at phi.
    double pressure(const OdeVector& y, double phi) const;
    // Where the end's flow has kinks: its edges opening, closing, or
    // reaching the port width, as running angles in [0, 2 pi).
    std::vector<double> kinks() const;

    // The right-hand side, and its Jacobian (the column of phi included).
    void derivative(const OdeVector& y, OdeVector& dy, double phi) const;
    void jacobian(const OdeVector& y, OdeMatrix& J, double phi, OdeVector& dfdt) const;

  private:
    void evaluate(const double* y, double phi, double* dy, double (*J)[2], double* dphi) const;

    EndSetup setup_;
    const PortMotion& motion_;
    const PistonKinematics& piston_;
    const Fluid& fluid_;
    const Reservoirs& res_;
    int steamEdge_, exhaustEdge_;
    double M_ = 1, E_ = 1;
    mutable FluidState hint_;
    mutable bool haveHint_ = false;
};

} // namespace corvellan::steam
