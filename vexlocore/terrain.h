#pragma once
// The terrain in the vertical plane of the profile: a polyline of straight facets from
// far behind the tower to far beyond the last point, its wedges, and the clearance tests
// the rays need. Coordinates are metres: x along the profile from the tower base's
// distance, z the elevation.
#include <vector>

namespace vexlo {

struct Point {
    double x = 0.0, z = 0.0;
};

struct Facet {
    Point start, end;
    Point tangent; // unit, start to end
    Point normal;  // unit, towards the air
    double length = 0.0;
};

// A point of the ray geometry with its place among the vertices: the vertices strictly
// behind it have indices up to 'before', those strictly ahead from 'after' on.
struct Place {
    Point p;
    int before = 0, after = 0;
};

struct Wedge {
    int vertex = 0;     // index into the terrain's vertices
    double face0 = 0.0; // direction of face 0 (towards the next vertex), radians
    double n = 1.0;     // open (air) angle over pi
};

// Entries of the caller's Distance and Elevation arrays.
constexpr int profileEntries = 151;

class Terrain {
public:
    // Reads the caller's 151-entry arrays (feet): points from index 1 up to the first zero
    // distance after index 1. Points that are not finite, absurdly far, or that go back
    // towards the tower are dropped, so the terrain is a function of distance (vertical
    // steps allowed). A profile with no usable point is flat ground at elevation 0.
    static Terrain fromProfile(const float* distanceFeet, const float* elevationFeet);
    explicit Terrain(std::vector<Point> profile);

    const std::vector<Point>& vertices() const { return vertices_; }
    const std::vector<Facet>& facets() const { return facets_; }
    const std::vector<Wedge>& wedges() const { return wedges_; }
    // Vertex index of the tower base.
    static constexpr int base = 1;
    Point towerBase() const { return vertices_[base]; }

    // An antenna stands above the base, before anything at the base's distance that rises
    // above it (a cliff at the tower blocks it forwards, not backwards).
    Place antennaPlace(double height) const;
    Place vertexPlace(int vertex) const { return {vertices_[vertex], vertex - 1, vertex + 1}; }
    Place onFacet(Point p, int facet) const { return {p, facet, facet + 1}; }

    // True when the half-line from q towards the forward-upward direction with slope
    // tanTheta passes above every vertex ahead of q.
    bool rayClear(const Place& q, double tanTheta) const;
    // True when every vertex between a and b lies on or below the straight line a-b.
    bool segmentClear(Place a, Place b) const;

private:
    std::vector<Point> vertices_;
    std::vector<Facet> facets_;
    std::vector<Wedge> wedges_;
};

} // namespace vexlo
