#pragma once
// The field above the ground, marched away from the tower one straight piece of terrain
// at a time (a one-way wave equation solved exactly over each flat piece by the mixed
// transform, forward scattering only). On a piece whose slope stays within stairLimit of
// the frame the frame turns to the piece at its start (the field on the new normal is taken
// as the old one with the phase of the tilt); steeper pieces are climbed or descended as
// stairs in the frame they meet, the field below a rising stair blocked. Above the useful
// height an absorbing layer takes what leaves upwards. Every piece's ground field goes to
// the radiation integral.
#include <complex>
#include <numbers>
#include <vector>

#include "complex_fft.h"
#include "exponential_sum.h"
#include "ground_radiation.h"
#include "impedance_condition.h"
#include "mixed_transform.h"
#include "terrain.h"

namespace vexlo {

struct MarchGrid {
    int cells = 0;  // N, a power of two
    int useful = 0; // cells below the absorbing layer
};

class FieldMarch {
public:
    // The starting field on the normal to 'tangent' at 'origin', cells 0..N-1 from the
    // ground up.
    FieldMarch(const MarchGrid& grid, const ImpedanceCondition& ground,
               std::vector<std::complex<double>> start, Point origin, Point tangent);

    // Continues along the ground from where the march stands by 'length' at 'angle' above
    // the horizontal (for a piece that starts elsewhere, from its start 'from'), sampling
    // the ground every 'spacing' at most, re-applying the absorber at least every
    // 'stepLimit'. gamma: the phase rate along the ground that the radiation integral's
    // envelope removes. radiation may be null.
    void follow(Point from, double angle, double length, double spacing, double stepLimit,
                double gamma, GroundRadiation* radiation);

    Point position() const;
    // The frame's unit normal, and the cells' height.
    Point normal() const;
    double cellHeight() const { return ground_.dz; }
    // The field on the cells (from the ground up) becomes share times 'field', taken down in
    // the absorbing layer as a starting field is, plus 1 - share times what it was: the
    // march is linear, so that what follows is the same share of the marches from either.
    void blend(double share, const std::vector<std::complex<double>>& field);
    // Goes back along a plane ground by 'length': the waves that travel, as they were there
    // (those that die away left out), so that a march can start nearer the antenna than its
    // starting field was taken.
    void retreat(double length);
    // From now on only waves within this angle of the ground are kept; pi/2 keeps all the
    // cells resolve.
    void limitAngles(double angle);
    // Doubles the cell height (and so the grid's height), dropping the waves too steep for
    // the coarser cells: far from the tower the field near the ground varies over heights
    // that grow as the Fresnel zone does, while only shallow waves remain.
    void coarsen();
    // Doubles the number of cells instead, keeping their height: near the tower, where
    // steep waves still matter.
    void extend();
    // Halves the number of cells, each four times as high (the grid as high as coarsen()
    // makes it): far out, where only the shallowest waves still matter.
    void shrink();
    // Halves the number of cells, each twice as high, the grid as high as it was.
    void thin();
    int cells() const { return grid_.cells; }
    // The steepest wave the cells carry at all, and the steepest cells 'scale' times
    // higher would carry in full.
    double steepestWave() const;
    double resolvedWave(double scale = 1.0) const;
    double absorberHeight() const { return (grid_.cells - grid_.useful) * ground_.dz; }
    double usefulHeight() const { return grid_.useful * ground_.dz; }

private:
    void propagate(double length);
    // coarsen(), shrink() and thin(): cells 'factor' times as high, this many of them.
    void regrid(int factor, int cells);
    // A flat piece of 'length' from 'from' at 'angle', its ground sampled every 'spacing'
    // at most, into radiation when given.
    void march(double length, double spacing, double stepLimit, double gamma,
               GroundRadiation* radiation, Point from, double angle);
    // Turns the frame to 'angle' at the present point, the field read on the new normal.
    void rotate(double angle);
    // The ground moves by 'rise' under the field (up or down along the frame's normal).
    void moveGround(double rise, GroundRadiation* radiation);
    // The absorbing layer's loss over a step of this length.
    void absorb(double length);
    void forward();
    // Where a march's last step left the field as its spectrum, with the absorber's pass
    // still to come (a turn takes the spectrum as it is): the field on the cells again.
    void toCells();
    // The field's value on the ground, of the waves followed (after forward()).
    std::complex<double> groundValue();
    // After the ground has moved under the field: the field left without the boundary mode
    // that its value on the new ground, not yet meeting the ground's condition, would
    // excite.
    void settle();
    // The field of the given pairs of waves (1..last) on the grid.
    void synthesise(const std::vector<std::complex<double>>& up,
                    const std::vector<std::complex<double>>& down,
                    std::vector<std::complex<double>>& out, int last);
    const std::vector<std::complex<double>>& modeSteps(double length);
    MarchGrid grid_;
    ImpedanceCondition ground_;
    void setUp();

    MixedTransform transform_;
    ComplexFft fft_;         // twice the cells, for the waves read between cells
    ExponentialSum turnSum_; // the cells' field after a turn
    // The turn's waves, their rates per cell and amplitudes, for turnSum_.
    std::vector<double> turnRates_;
    std::vector<std::complex<double>> turnAmplitudes_;
    std::vector<std::complex<double>> field_, spectrum_, kappa_;
    // Per sine wave of the transform: the amplitudes of its up and down plane waves (below
    // the absorber) and its ground value as the ground's own condition gives it.
    std::vector<std::complex<double>> upWave_, downWave_, groundWeights_;
    std::vector<double> absorption_; // per metre, by cell
    // The absorber's factors for the step length absorbedOver_, from the useful height up.
    std::vector<double> absorbed_;
    double absorbedOver_ = -1.0;
    std::vector<double> modeRe_, modeIm_, stepRe_, stepIm_, weightRe_, weightIm_; // work
    std::vector<double> fftRe_, fftIm_;
    std::vector<double> filter_;
    std::vector<double> waveAngles_, cellsPerHalfWave_; // per sine wave
    double filterAngle_ = std::numbers::pi / 2;
    int active_ = 0; // the highest mode the filter keeps; those above are always zero
    std::complex<double> boundary_, kappaBoundary_;
    std::vector<std::complex<double>> steps_; // exp(-j kappa_n length) for stepsLength_
    double stepsLength_ = -1.0;
    int stepsActive_ = -1;                       // the active_ that steps_ was zeroed past
    std::vector<std::complex<double>> envelope_; // work of march()
    Point origin_;                               // the frame: a point of the ground line
    double angle_ = 0.0;                         // the frame's tangent above the horizontal
    double along_ = 0.0;                         // position along the frame from the origin
    double level_ = 0.0; // the stair ground's height in the frame above the origin's line

    // After a march: the field is spectrum_ and boundary_, the absorber's pass over this
    // length still to come.
    bool spectral_ = false;
    double pendingAbsorb_ = 0.0;
};

} // namespace vexlo
