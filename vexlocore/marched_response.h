#pragma once
// The far field of the installation over the terrain with diffraction: the exact answer
// over the plane the tower stands on (direct field plus its Fresnel reflection), corrected
// by what the real terrain does differently beyond the point where it leaves that plane:
// the ground field marched over the terrain radiates in place of the one marched over the
// plane. Both marches share everything up to that point, so over a plane the correction is
// nothing and the closed form holds exactly; where the ground bends, its field carries the
// reflection of the whole lit surface, the shadows and the diffraction over every crest in
// turn, out to the curved earth beyond the profile.
#include <complex>
#include <cstddef>
#include <optional>
#include <vector>

#include "elevation_response.h"
#include "field_march.h"
#include "line_sources.h"
#include "near_terrain.h"
#include "terrain.h"

namespace vexlo {

class MarchedResponse {
public:
    MarchedResponse(const Terrain& terrain, const Installation& installation);

    // Far field at each elevation angle (radians), |field|^2 the gain over isotropic: of the
    // whole stack, or (antenna >= 0) of that antenna's elements alone, with its terms at
    // angles[log->index] kept in log when given.
    std::vector<std::complex<double>> farField(const std::vector<double>& angles, int antenna = -1,
                                               LoggedAngle* log = nullptr) const;

private:
    // The direct field of the sources.
    std::vector<std::complex<double>> directField(const std::vector<LineSource>& sources,
                                                  const std::vector<double>& angles, int antenna,
                                                  LoggedAngle* log) const;
    // Adds the sources' exact reflection in the tower's plane; nothing where the plane
    // blocks the view.
    void addPlaneReflection(const std::vector<LineSource>& sources,
                            const std::vector<double>& angles, int antenna, LoggedAngle* log,
                            std::vector<std::complex<double>>& field) const;
    // Adds what the terrain radiates beyond where it leaves the plane, less what the plane
    // there would have. Where the ground near the tower is solved whole (near_terrain.h),
    // its surface field radiates from the fork to nearStart_, the plane's likewise, and both
    // marches go on from the field the solves give there (in nearShare_, the rest the
    // marches' own).
    // The ground near the tower solved whole for these sources: the terrain's solve, from
    // which the march takes its field at the near start, and what the terrain's surface
    // field and the plane's radiate up to there.
    struct NearGround {
        NearTerrain terrain;
        std::vector<std::complex<double>> terrainPart, planePart;
        Point start;      // the near start on the terrain
        double seamAlong; // its place along the plane
    };
    std::optional<NearGround> solveNearGround(const std::vector<LineSource>& sources,
                                              const std::vector<double>& angles) const;
    void addTerrainCorrection(const std::vector<LineSource>& sources,
                              const std::vector<double>& angles, int antenna, LoggedAngle* log,
                              const NearGround* solved,
                              std::vector<std::complex<double>>& field) const;
    // The same by the marches alone, both from the one starting field.
    void addMarchedCorrection(const std::vector<LineSource>& sources,
                              const std::vector<double>& angles, int antenna, LoggedAngle* log,
                              std::vector<std::complex<double>>& field) const;
    // Where the ground near the tower is solved whole, and how far that answer takes over.
    void planNearGround();

    // How the marches go, the same for every call.
    void planMarch();
    // The terrain from the march's start on, in pieces no finer than its shape needs.
    void planPath();
    // The march at its start, from the sources' exact field over the plane.
    FieldMarch startingMarch(const std::vector<LineSource>& sources) const;
    // The plane's radiation from 'from' to 'to' along it, from the sources' exact field on it.
    void radiateExactPlane(const std::vector<LineSource>& sources, double from, double to,
                           GroundRadiation& radiation) const;
    // The plane's radiation from the fork to 'to' along it, exactShare_ of it from its exact
    // field and the rest from the march, which it follows there.
    std::vector<std::complex<double>> nearPlaneRadiation(const std::vector<LineSource>& sources,
                                                         FieldMarch& planeMarch, double to,
                                                         const std::vector<double>& angles) const;
    // Follows the ground from a to b, a long piece in parts so that the grid can grow on
    // the way; radiates into radiation when given.
    void follow(FieldMarch& march, Point a, Point b, GroundRadiation* radiation) const;
    // Follows the tower's plane on from 'from' to 'to' along it, where the terrain's march
    // has left it, radiating into radiation; what lies past the plane's reach from 'from'
    // radiates only in the plane's far share, returned apart (per angle, that share in it).
    std::vector<std::complex<double>> followPlane(FieldMarch& march, double from, double to,
                                                  const std::vector<double>& angles,
                                                  GroundRadiation& radiation) const;
    // The ground's sampling for the radiation, and the longest step between absorber
    // passes, where the march stands.
    double spacingAt(const FieldMarch& march, double x) const;
    double stepLimitOf(const FieldMarch& march) const;
    // The phase rate along a piece (its middle and direction) that the radiation's envelope
    // removes: that of the wave from the sources' centre.
    double phaseRateAlong(Point middle, Point direction) const;
    // Where a grid of this useful height stops holding what it must, and how it grows there.
    double outgrownAt(double usefulHeight) const;
    void grow(FieldMarch& march, double x) const;
    // Where the profile's last point is well behind: the smooth earth, where the grid thins
    // while thins() holds.
    double smoothEarthFrom() const;
    bool thins(const FieldMarch& march) const;
    // The steepest wave against the ground that still matters x from the tower.
    double steepestNeeded(double x) const;

    const Terrain& terrain_;
    double wavelength_, k_;
    std::complex<double> permittivity_;
    std::vector<LineSource> sources_;

    // The tower's plane.
    Point base_, tangent_, normal_;
    // The height the grid must hold above the lowest ground of the profile, the sources'
    // centre, the grid and its ground condition.
    double sourcesHeight_ = 0.0;
    Point centre_;
    MarchGrid grid_;
    ImpedanceCondition condition_;
    // Along the plane from the base: where the starting field is taken, and where the march
    // starts (nearer when the terrain leaves the plane sooner).
    double fieldAlong_ = 0.0, startAlong_ = 0.0;
    // How far the farthest element lies ahead of the base along the plane.
    double ahead_ = 0.0;
    // The path from the start, the profile facet each point ends, and the first point from
    // which the terrain and the plane go apart.
    std::vector<Point> path_;
    std::vector<int> facetOf_;
    std::size_t fork_ = 0;
    // How the grid grows in the marches under way: by its rule, or cautiously (more cells
    // where coarser ones only just carry what matters); and the share the rule's answer
    // keeps, less than one where a growth came within the rule's leeway (set by grow()).
    struct Growth {
        bool cautious = false;
        double share = 1.0;
    };
    mutable Growth growth_;
    // How much of the plane's radiation just past the fork is taken from the plane's exact
    // ground field rather than its march (0 to 1; see planPath()).
    double exactShare_ = 0.0;
    // The ground solved whole: the terrain from nearBehind_ along the plane behind the
    // tower to nearEnd_ (x), the march starting at nearStart_ (x), the fork there the last
    // vertex in the plane; nearShare_ how much of the answer comes from it (0 to 1).
    double nearShare_ = 0.0, nearBehind_ = 0.0, nearStart_ = 0.0, nearEnd_ = 0.0;
    Point nearFork_;
};

} // namespace vexlo
