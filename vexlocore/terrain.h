#pragma once
// The terrain in the vertical plane of the profile, in metres: x along the profile, z the
// elevation after the effective-earth transform. Refraction is allowed for in the usual way,
// by an earth of 4/3 its radius, and the curved earth is flattened by lowering each point by
// (x - x0)^2 / 2R about the tower base x0: straight rays over the transformed profile are
// the rays over the curved one. Behind the tower the first facet continues; beyond the last
// point the ground stays level on the earth, so after the transform it curves down and a
// far enough antenna sees its horizon.
#include <vector>

namespace vexlo {

struct Point {
    double x = 0.0, z = 0.0;
};
inline double dot(Point a, Point b) { return a.x * b.x + a.z * b.z; }
inline Point minus(Point a, Point b) { return {a.x - b.x, a.z - b.z}; }

struct Facet {
    Point start, end;
    Point tangent; // unit, start to end
    Point normal;  // unit, towards the air
    double length = 0.0;
};

// Entries of the caller's Distance and Elevation arrays.
constexpr int profileEntries = 151;
// 4/3 of the earth's mean radius, metres.
constexpr double effectiveEarthRadius = 4.0 / 3.0 * 6371000.0;

class Terrain {
public:
    // Reads the caller's 151-entry arrays (feet): points from index 1 up to the first zero
    // distance after index 1. Points that are not finite, absurdly far, or that go back
    // towards the tower are dropped, so the terrain is a function of distance (vertical
    // steps allowed). A profile with no usable point is flat ground at elevation 0.
    static Terrain fromProfile(const float* distanceFeet, const float* elevationFeet);
    // The profile in metres, before the effective-earth transform.
    explicit Terrain(std::vector<Point> profile);

    // Vertices in order: far behind the tower, the profile's points (the tower base first),
    // then the curved continuation. Facet i runs from vertex i to vertex i + 1.
    const std::vector<Point>& vertices() const { return vertices_; }
    const std::vector<Facet>& facets() const { return facets_; }
    static constexpr int base = 1; // vertex index of the tower base
    // The plane the tower stands on: its first facet continued, or level ground where that
    // facet is a vertical face. Facet 0 lies in it, behind the tower.
    const Facet& towerPlane() const { return facets_[0]; }
    int lastProfileVertex() const { return lastProfile_; }
    Point antenna(double height) const { return {vertices_[base].x, vertices_[base].z + height}; }

private:
    std::vector<Point> vertices_;
    std::vector<Facet> facets_;
    int lastProfile_ = base;
};

} // namespace vexlo
