#pragma once
// The rays by which each antenna of a stack reaches a far observer at one elevation
// angle: the direct ray, one ground reflection from each facet with a specular point, the
// rays reflected by two facets in turn (a valley's two sides, a hillside beyond flat
// ground), and, when diffraction is on, the field diffracted by each wedge for its direct
// and its reflected illumination, leaving the wedge directly or after one more reflection.
// Each diffraction then compensates the jumps of the geometrical rays that its edge cuts
// off; paths with more events than these are left out.
#include <complex>
#include <optional>
#include <vector>

#include "antenna_pattern.h"
#include "ground.h"
#include "terrain.h"

namespace vexlo {

enum class RayKind { Direct, Reflected, Diffracted };

struct Ray {
    int antenna = 0;
    RayKind kind = RayKind::Direct;
    int facet = -1;                   // facet reflecting it before any diffraction (-1: none)
    int wedge = -1;                   // diffracting vertex (-1: none)
    int exitFacet = -1;               // facet reflecting it after the diffraction, or the
                                      // second facet of a double reflection (-1: none)
    Point point;                      // where it reflects or diffracts
    double angle = 0.0;               // grazing angle, or the diffraction angle phi - phi'
    std::complex<double> coefficient; // reflection coefficient, or the normalised D
    double pathDifference = 0.0;      // metres more than the antenna's direct ray
    std::complex<double> field;       // in units where |field|^2 is gain over isotropic
};

class RayTracer {
public:
    RayTracer(const Terrain& terrain, const Ground& ground, const AntennaPattern& pattern,
              double wavelength, bool diffraction, const std::vector<double>& heights);

    // Appends every ray of every antenna towards elevation theta (radians, 0 < theta < pi/2).
    void trace(double theta, std::vector<Ray>& rays) const;

private:
    struct Illumination {
        int antenna;
        int wedge;                      // index into terrain.wedges()
        int facet;                      // -1 for the direct illumination
        std::complex<double> amplitude; // pattern (times reflection) towards the wedge
        double distance;                // unfolded path to the edge
        double phiIncident;
    };
    struct Exit {
        int facet;   // -1: straight to the observer
        Point image; // the edge or its image in the facet
        double phi;
        std::complex<double> reflection;
    };

    void illuminate();
    void mirrorAntennas();
    // Rays reflected by two facets in turn.
    void traceDoubleReflections(double theta, std::vector<Ray>& rays) const;
    std::complex<double> farPhase(Point u, Point p) const {
        return std::polar(1.0, k_ * (u.x * p.x + u.z * p.z));
    }
    void exits(const Wedge& w, double theta, std::vector<Exit>& out) const;
    void addIllumination(int antenna, int wedge, int facet, Point source,
                         std::complex<double> amplitude);

    const Terrain& terrain_;
    const Ground& ground_;
    const AntennaPattern& pattern_;
    double k_;
    bool diffraction_;
    std::vector<Place> antennas_;
    std::vector<Illumination> illuminations_;               // ordered by wedge
    std::vector<std::vector<std::optional<Point>>> images_; // antenna mirrored in each facet
};

} // namespace vexlo
