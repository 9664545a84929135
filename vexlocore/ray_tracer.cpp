#include "ray_tracer.h"

#include <cmath>
#include <numbers>
#include <optional>

#include "wedge_diffraction.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;

double dot(Point a, Point b) { return a.x * b.x + a.z * b.z; }
Point minus(Point a, Point b) { return {a.x - b.x, a.z - b.z}; }
Point along(Point a, double s, Point u) { return {a.x + s * u.x, a.z + s * u.z}; }
double angleOf(Point d) { return std::atan2(d.z, d.x); }

struct Specular {
    Point image; // the source mirrored in the facet's line
    Point point; // where the ray meets the facet
    double sinGrazing;
};

bool onFacet(const Facet& f, Point p) {
    const double t = dot(minus(p, f.start), f.tangent);
    return t >= 0.0 && t < f.length; // a vertex belongs to the facet that starts there
}

// The specular point on facet f for a ray from q that leaves towards direction u.
std::optional<Specular> specularTowards(Point q, const Facet& f, Point u) {
    const double c = dot(f.normal, u);
    const double height = dot(f.normal, minus(q, f.start));
    if (c <= 0.0 || height <= 0.0) return std::nullopt;
    const Point image = along(q, -2.0 * height, f.normal);
    const Point s = along(image, height / c, u);
    if (!onFacet(f, s)) return std::nullopt;
    return Specular{image, s, c};
}

// The specular point on facet f for a ray from q to the point target.
std::optional<Specular> specularTo(Point q, const Facet& f, Point target) {
    const double hq = dot(f.normal, minus(q, f.start));
    const double ht = dot(f.normal, minus(target, f.start));
    if (hq <= 0.0 || ht <= 0.0) return std::nullopt;
    const Point image = along(q, -2.0 * hq, f.normal);
    const Point span = minus(target, image);
    const Point s = along(image, hq / (hq + ht), span);
    if (!onFacet(f, s)) return std::nullopt;
    return Specular{image, s, (hq + ht) / std::hypot(span.x, span.z)};
}

// Angle of a direction measured from the wedge's face 0 through the air, in [0, 2 pi).
double wedgeAngle(const Wedge& w, double direction) {
    double a = std::fmod(direction - w.face0, 2.0 * pi);
    return a < 0.0 ? a + 2.0 * pi : a;
}

bool inAir(const Wedge& w, double phi) { return phi <= w.n * pi + 1e-12; }

} // namespace

RayTracer::RayTracer(const Terrain& terrain, const Ground& ground, const AntennaPattern& pattern,
                     double wavelength, bool diffraction, const std::vector<double>& heights)
    : terrain_(terrain), ground_(ground), pattern_(pattern), k_(2.0 * pi / wavelength),
      diffraction_(diffraction) {
    for (double h : heights) antennas_.push_back(terrain.antennaPlace(h));
    mirrorAntennas();
    if (diffraction_) illuminate();
}

void RayTracer::addIllumination(int antenna, int wedge, int facet, Point source,
                                Complex amplitude) {
    const Wedge& w = terrain_.wedges()[wedge];
    const Point edge = terrain_.vertices()[w.vertex];
    const Point toSource = minus(source, edge);
    const double phi = wedgeAngle(w, angleOf(toSource));
    if (!inAir(w, phi)) return;
    illuminations_.push_back(
        {antenna, wedge, facet, amplitude, std::hypot(toSource.x, toSource.z), phi});
}

void RayTracer::illuminate() {
    const auto& wedges = terrain_.wedges();
    const auto& facets = terrain_.facets();
    for (int wi = 0; wi < static_cast<int>(wedges.size()); ++wi) {
        const int v = wedges[wi].vertex;
        const Place edge = terrain_.vertexPlace(v);
        for (int a = 0; a < static_cast<int>(antennas_.size()); ++a) {
            const Place& ant = antennas_[a];
            if (terrain_.segmentClear(ant, edge))
                addIllumination(a, wi, -1, ant.p, pattern_.field(angleOf(minus(edge.p, ant.p))));
            for (int f = 0; f < static_cast<int>(facets.size()); ++f) {
                if (f == v - 1 || f == v) continue; // the wedge's own faces: its face terms
                const auto s = specularTo(ant.p, facets[f], edge.p);
                if (!s) continue;
                const Place at = terrain_.onFacet(s->point, f);
                if (!terrain_.segmentClear(ant, at) || !terrain_.segmentClear(at, edge)) continue;
                addIllumination(a, wi, f, s->image,
                                pattern_.field(angleOf(minus(s->point, ant.p))) *
                                    ground_.reflection(s->sinGrazing));
            }
        }
    }
}

void RayTracer::exits(const Wedge& w, double theta, std::vector<Exit>& out) const {
    out.clear();
    const Point u{std::cos(theta), std::sin(theta)};
    const double tanTheta = std::tan(theta);
    const Place edge = terrain_.vertexPlace(w.vertex);
    const double phi = wedgeAngle(w, theta);
    if (inAir(w, phi) && terrain_.rayClear(edge, tanTheta)) out.push_back({-1, edge.p, phi, 1.0});
    const auto& facets = terrain_.facets();
    for (int g = 0; g < static_cast<int>(facets.size()); ++g) {
        if (g == w.vertex - 1 || g == w.vertex) continue;
        const auto s = specularTowards(edge.p, facets[g], u);
        if (!s) continue;
        const double phiOut = wedgeAngle(w, angleOf(minus(s->point, edge.p)));
        if (!inAir(w, phiOut)) continue;
        const Place at = terrain_.onFacet(s->point, g);
        if (!terrain_.segmentClear(edge, at) || !terrain_.rayClear(at, tanTheta)) continue;
        out.push_back({g, s->image, phiOut, ground_.reflection(s->sinGrazing)});
    }
}

void RayTracer::mirrorAntennas() {
    const auto& facets = terrain_.facets();
    for (const Place& ant : antennas_) {
        std::vector<std::optional<Point>> images;
        for (const Facet& f : facets) {
            const double h = dot(f.normal, minus(ant.p, f.start));
            images.push_back(h > 0.0 ? std::optional(along(ant.p, -2.0 * h, f.normal))
                                     : std::nullopt);
        }
        images_.push_back(std::move(images));
    }
}

void RayTracer::traceDoubleReflections(double theta, std::vector<Ray>& rays) const {
    const Point u{std::cos(theta), std::sin(theta)};
    const double tanTheta = std::tan(theta);
    const auto& facets = terrain_.facets();
    const int count = static_cast<int>(facets.size());
    std::vector<int> facing; // facets that can send a ray towards u
    for (int g = 0; g < count; ++g)
        if (dot(facets[g].normal, u) > 0.0) facing.push_back(g);
    for (int a = 0; a < static_cast<int>(antennas_.size()); ++a) {
        const Place& ant = antennas_[a];
        for (int f = 0; f < count; ++f) {
            if (!images_[a][f]) continue;
            for (int g : facing) {
                if (g == f) continue;
                // The image of the antenna in f, mirrored again in g, leaves g along u.
                const auto second = specularTowards(*images_[a][f], facets[g], u);
                if (!second) continue;
                const auto first = specularTo(ant.p, facets[f], second->point);
                if (!first) continue;
                const Place p1 = terrain_.onFacet(first->point, f);
                const Place p2 = terrain_.onFacet(second->point, g);
                if (!terrain_.segmentClear(ant, p1) || !terrain_.segmentClear(p1, p2) ||
                    !terrain_.rayClear(p2, tanTheta))
                    continue;
                const Complex gamma =
                    ground_.reflection(first->sinGrazing) * ground_.reflection(second->sinGrazing);
                rays.push_back({a, RayKind::Reflected, f, -1, g, second->point,
                                std::asin(std::min(second->sinGrazing, 1.0)), gamma,
                                dot(u, minus(ant.p, second->image)),
                                pattern_.field(angleOf(minus(first->point, ant.p))) * gamma *
                                    farPhase(u, second->image)});
            }
        }
    }
}

void RayTracer::trace(double theta, std::vector<Ray>& rays) const {
    const Point u{std::cos(theta), std::sin(theta)};
    const double tanTheta = std::tan(theta);
    const auto farPhase = [&](Point p) { return this->farPhase(u, p); };
    const auto& facets = terrain_.facets();

    for (int a = 0; a < static_cast<int>(antennas_.size()); ++a) {
        const Place& ant = antennas_[a];
        if (terrain_.rayClear(ant, tanTheta))
            rays.push_back({a, RayKind::Direct, -1, -1, -1, ant.p, 0.0, 1.0, 0.0,
                            pattern_.field(theta) * farPhase(ant.p)});
        for (int f = 0; f < static_cast<int>(facets.size()); ++f) {
            const auto s = specularTowards(ant.p, facets[f], u);
            if (!s) continue;
            const Place at = terrain_.onFacet(s->point, f);
            if (!terrain_.segmentClear(ant, at) || !terrain_.rayClear(at, tanTheta)) continue;
            const Complex gamma = ground_.reflection(s->sinGrazing);
            rays.push_back(
                {a, RayKind::Reflected, f, -1, -1, s->point,
                 std::asin(std::min(s->sinGrazing, 1.0)), gamma, dot(u, minus(ant.p, s->image)),
                 pattern_.field(angleOf(minus(s->point, ant.p))) * gamma * farPhase(s->image)});
        }
    }
    traceDoubleReflections(theta, rays);
    if (!diffraction_) return;

    std::vector<Exit> out;
    int current = -1;
    for (const Illumination& ill : illuminations_) {
        const Wedge& w = terrain_.wedges()[ill.wedge];
        if (ill.wedge != current) {
            exits(w, theta, out);
            current = ill.wedge;
        }
        const Point antenna = antennas_[ill.antenna].p;
        const Complex incident = ill.amplitude * std::polar(1.0, -k_ * ill.distance);
        for (const Exit& e : out) {
            // The faces reflect at the grazing angle of the diffracted ray: the same as the
            // incident one on each reflection boundary, and -1 along the face itself, where
            // horizontally polarised fields vanish.
            const Complex d = wedgeDiffraction(w.n, e.phi,
                                               {ill.phiIncident, k_ * ill.distance,
                                                ground_.reflection(std::sin(e.phi)),
                                                ground_.reflection(std::sin(w.n * pi - e.phi))});
            rays.push_back({ill.antenna, RayKind::Diffracted, ill.facet, w.vertex, e.facet,
                            terrain_.vertices()[w.vertex], e.phi - ill.phiIncident, d,
                            ill.distance - dot(u, minus(e.image, antenna)),
                            incident * d * e.reflection * farPhase(e.image)});
        }
    }
}

} // namespace vexlo
