#include "geometric_response.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "edge_diffraction.h"
#include "ground.h"
#include "line_sources.h"
#include "physical_optics.h"
#include "unit_phasor.h"
#include "vector_path.h"

namespace vexlo {
namespace {

using Complex = std::complex<double>;
constexpr double pi = std::numbers::pi;

// What one antenna sees of one facet, whatever the far direction.
struct FacetView {
    bool lit = false;                      // the antenna is on the air side of the facet's line
    double height = 0;                     // the antenna's distance from that line
    double along = 0;                      // the foot of that distance, from the facet's start
    double visibleFrom = 0, visibleTo = 0; // the part the antenna sees over the terrain
    // At the facet's ends, whatever the far direction: the integrand's amplitude and the
    // antenna's share of d phi / ds.
    Complex gStart, gEnd;
    double slopeStart = 0, slopeEnd = 0;
    // Far enough from the antenna, the integrand's part that no direction changes, for the
    // facet's integral in closed form (see SmoothFacet).
    bool smooth = false, shaped = false;
    // Nearer, where the facet is smooth in 'pieces' equal pieces (2 to 16) instead: their
    // shapes from entry 'first' of the element's pieces_.
    int pieces = 0, first = 0;
    double samples[5] = {}; // the antenna's distance at the facet's quarters
    SmoothFacet shape;
};

// One piece of a facet smooth in pieces: its integrand's shape, and at its start the
// element's distance and exp(-j k distance); a facet's pieces end on an entry of the end.
struct SmoothPiece {
    SmoothFacet shape;
    double r = 0.0;
    Complex wave;
};

// What one antenna sees of one vertex.
struct VertexView {
    double distance = 0;
    Complex wave; // exp(-j k distance)
};

class GeometricRays {
public:
    GeometricRays(const Terrain& terrain, const Installation& in)
        : vertices_(terrain.vertices()), facets_(terrain.facets()),
          wavelength_(wavelengthMetres(in)), k_(2.0 * pi / wavelength_),
          spreadingScale_(k_ / 4.0 * std::sqrt(1.0 / (pi * k_))),
          ground_(in.dielectric, in.conductivity, wavelength_), edges_(terrain, wavelength_),
          lastProfile_(terrain.lastProfileVertex()) {
        // Each antenna is its elements, line sources along the boom: over the ground near
        // the tower a Yagi's pattern is not yet formed, its elements' images are.
        for (const LineSource& e : lineSources(terrain, in, wavelength_)) {
            antennas_.push_back(e.at);
            weights_.push_back(e.weight);
            owners_.push_back(e.antenna);
        }
        findRun();
        for (const Point& a : antennas_) prepare(a);
        combine();
        for (std::size_t e = 0; e < antennas_.size(); ++e) {
            std::vector<int> visits;
            for (int f = 0; f <= lastProfile_; ++f) {
                // Lit, and seen in part at least.
                const FacetView& view = f == lastProfile_ ? beyond_[e].second : facetViews_[e][f];
                if (view.lit && view.visibleTo > view.visibleFrom &&
                    (f == lastProfile_ || !stack_[owners_[e]].facets[f].on)) {
                    visits.push_back(f);
                }
            }
            visits_.push_back(std::move(visits));
        }
    }

    std::complex<double> field(double theta, int index, LoggedAngle* log);

private:
    void prepare(Point a);
    void findRun();
    // The stacked antennas' shared facets (see Shared).
    void combine();
    // Whether the antenna at a is far enough from facet f (its ends toStart and toEnd away)
    // for SmoothFacet, and if so its samples.
    void smoothen(Point a, const Facet& f, double toStart, double toEnd, FacetView& view) const;
    // A smooth facet's shape, for an element that integrates it on its own.
    void shape(FacetView& view) const;
    // Where a facet is not smooth whole, whether it is in 2 to 16 pieces, and if so their
    // shapes into pieces_.back().
    void cut(Point a, const Facet& f, double toStart, double toEnd, FacetView& view);
    // The reflection of the earth's tangent line beyond the profile towards u (seen.un > 0)
    // from 'from' to 'to', before the element's weight and the coefficient; its stationary
    // point into st. Out of line: taken into the loop over the facets, it made that loop
    // take a tenth more instructions.
    struct FacetToObserver;
    [[gnu::noinline]] Complex beyondReflection(int element, const FacetToObserver& seen, Point u,
                                               double from, double to, StationaryPoint& st);
    // Whether an edge at or beyond x eases the reflection of the image at 'image' towards
    // u: the edge that hides that image's ray most, where its transition holds a share
    // (1 up to v = -1, none from v = -3); eased is that share of the transition T(v).
    // The knife edge's transition holds for rays that pass the edge at shallow angles: the
    // share is kept in full where the edge lies at most 26.6 degrees (a slope of a half)
    // above the image, and fades out by 45 degrees, where the facet's own end stands for
    // the edge (the lip of a drop within an antenna's height of the tower: eased, the run
    // along the tower's plane before it lost its reflection, up to 2.5 dB rms from the
    // full-wave answer at 7 to 30 MHz).
    bool easedPast(Point image, Point u, double x, Complex& eased, double& share) const {
        double v = 0.0;
        int which = -1;
        edges_.transition(image, u, &v, &share, &which);
        if (which < 0 || !(share > 0.0) || edges_.at(which).x < x - 1e-9) return false;
        const Point toEdge = minus(edges_.at(which), image);
        const double slope = toEdge.x > 0.0 ? toEdge.z / toEdge.x : 1.0;
        const double y = std::clamp(2.0 * (1.0 - slope), 0.0, 1.0); // 1 at a slope of 1/2
        share *= y * y * (3.0 - 2.0 * y);
        if (!(share > 0.0)) return false;
        eased = share * knifeEdgeTransition(v);
        return true;
    }
    // A facet the antenna integrates once (see Shared), where an edge beyond it hides it or
    // its far part from the observer while every element's direct ray clears the terrain:
    // its reflection passes the edge by the transition for the image of the antenna's
    // middle, as an element's own facet does by its own image (see visit in field), from
    // 'from' over the rest of the facet, the part the observer sees ('from' to 'to') cut
    // hard in the share the transition leaves. Cut hard instead, the far ground before an
    // edge dropped out of the reflection as the edge hid it. The term, phase referred to
    // the origin, into term; false where no edge eases it. Out of line, so as to leave the
    // shared facets' loop as it was where nothing is eased.
    struct Antenna;
    [[gnu::noinline]] bool sharedEased(const Antenna& antenna, int facet, Point u, double from,
                                       double to, Complex& term) const;
    // The three rays the ground adds to a source's direct ray diffracted at the edge, phase
    // referred to the origin (before the source's weight).
    // On the lit side (lit: the direct ray clears the terrain) only the rays reflected
    // behind the edge, in the share of their reflection the ground the element lights
    // behind the edge does not already hold.
    // Out of line: taken into field, it made field's loop take a tenth more instructions.
    [[gnu::noinline]] Complex groundRays(Point a, Point u, int edge, bool lit = false) const;
    // The share of that ray reflected at p on facet g behind the edge (see groundRays) kept
    // on the lit side.
    double litShare(Point a, Point u, int edge, const Facet& g, Point p) const;
    // The facet line's stationary point towards u (un = u . normal).
    StationaryPoint stationary(const Facet& f, const FacetView& view, Point u, double un) const;
    // The line source's cylindrical wave at distance r, relative to its far field, times
    // the k/4 of the surface integral: (k/4) sqrt(2j / (pi k r)).
    Complex spreading(double r) const {
        // sqrt(2j) = 1 + j.
        const double size = spreadingScale_ * std::sqrt(1.0 / r);
        return {size, size};
    }
    // The point s along facet f for this antenna; 'known' is the antenna's view of that
    // point when it is a vertex already looked at.
    FacetPoint facetPoint(int antenna, const Facet& f, const FacetView& view, double s, Point u,
                          const VertexView* known) const;
    // The same at an end of a facet of the terrain, for the far direction at hand.
    FacetPoint vertexPoint(int antenna, int facet, bool end) const;
    // The facet's physical-optics integral from 'from' to 'to' towards u (un = u . normal),
    // before the reflection coefficient; its stationary point into st.
    Complex facetIntegral(int antenna, const Facet& f, const FacetView& view, double from,
                          double to, Point u, double un, const FacetPoint& pa, const FacetPoint& pb,
                          StationaryPoint& st) const;
    // The current of a perfect conductor's tangent plane, 2 sin(incidence) times the
    // incident wave; each facet's integral is then weighted by the reflection coefficient at
    // the angle the far direction makes with it (reflection), or -1 where the direction
    // runs into the ground (the forward part, which cancels the direct field). Over a plane
    // this is exact at every angle, grazing included, which the plane's own tangent-plane
    // current is not; at a specular point the two agree.
    Complex integrand(Complex outgoing, double sinIncidence) const {
        return 2.0 * outgoing * sinIncidence;
    }

    const std::vector<Point>& vertices_;
    const std::vector<Facet>& facets_;
    double wavelength_, k_;
    double spreadingScale_; // k/4 sqrt(1 / (pi k))
    Ground ground_;
    EdgeDiffraction edges_;
    int lastProfile_; // the vertex where the curved continuation begins
    std::vector<Point> antennas_;
    std::vector<Complex> weights_;
    std::vector<int> owners_;                        // the stacked antenna each element belongs to
    std::vector<std::vector<FacetView>> facetViews_; // per antenna, per facet
    std::vector<std::vector<VertexView>> vertexViews_; // per antenna, per vertex
    std::vector<std::vector<SmoothPiece>> pieces_;     // per antenna, facets smooth in pieces
    // Per antenna, the first facet's plane as one facet a thousand kilometres each way, and
    // the antenna's view of it.
    std::vector<std::pair<Facet, FacetView>> planes_;
    // The facets before vertex runEnd_ (facet 0 behind the tower, the first facet and those
    // after it up to runEnd_) keep to the first facet's plane; where an antenna and the far
    // observer see all of them, their integrals and the plane's over the same stretch
    // cancel, and both are left out (runClear_ per antenna: it sees them all). 0: no run.
    int runEnd_ = 0;
    std::vector<char> runClear_;
    // A facet every element of one antenna sees whole and smooth, so far that the elements'
    // distances to it differ from their middle's by nearly a constant (the phase of the
    // difference changing by at most a half radian along it): the antenna integrates it
    // once, the elements' weighted integrands summed relative to the middle's distance r(s)
    // into one quartic (which no direction changes), exp(-j k r) taken as its chord.
    struct Shared {
        bool on = false;
        SmoothFacet shape;
        Complex wave;    // exp(-j k r(0)), which the shape holds with the length
        double dr = 0.0; // r(L) - r(0)
        Complex turn;    // exp(-j k dr)
    };
    // A shared facet's integral from a to b along it towards the direction at hand, before
    // the reflection coefficient, phase referred to its start: exp(-j k phi) = exp(-j k r)
    // exp(j k u.P) at the ends (exp(-j k r) and the length in the shape).
    Complex sharedIntegral(const Shared& shared, int facet, double a, double b) const {
        const double length = facets_[facet].length;
        const double t = k_ * (shared.dr - (observed_[facet + 1].path - observed_[facet].path));
        if (a == 0.0 && b == length)
            return linearPhaseIntegral(shared.shape, t,
                                       shared.turn * observed_[facet + 1].phase *
                                           std::conj(observed_[facet].phase));
        return linearPhaseIntegral(shared.shape, t, a / length, b / length);
    }
    // A long line in pieces short enough to be Shared, piece i from ends[i] to ends[i + 1],
    // lengths[i] long; each piece's shape holds its length and its wave.
    struct LinePieces {
        std::vector<Shared> pieces;
        std::vector<double> ends, lengths;
    };
    struct Antenna {
        std::vector<int> elements;
        Point middle; // of its elements
        std::vector<Shared> facets;
        std::vector<int> shared; // the facets it integrates once, in order
        // The first facet's plane beyond the run, where the antenna takes it once.
        LinePieces plane;
        // The earth's tangent line beyond the profile, where every element sees all of it.
        LinePieces beyond;
    };
    // The pieces of 'line' from s to 'end' for the elements (the j-th by weights[j]) about
    // 'middle', heights[j] the j-th element's height above the line:
    // false where some piece cannot be Shared.
    bool piecesAlong(const Facet& line, const std::vector<int>& elements,
                     const std::vector<Complex>& weights, const std::vector<double>& heights,
                     Point middle, double s, double end, LinePieces& out) const;
    // Their integral towards u.
    Complex alongLine(const Facet& line, const LinePieces& line_pieces, Point u);
    // The observer's phase at the ends of the line's pieces, for the direction at hand.
    std::vector<double> endsRe_, endsIm_;
    // The plane's pieces for one antenna (none where they cannot all be Shared).
    void sharePlane(Antenna& antenna, Point middle);
    // The earth's tangent line in pieces: for the whole antenna where every element sees
    // all of it, else for each element alone (beyondPieces_, unweighted) over what it sees.
    void shareBeyond(Antenna& antenna, Point middle);
    std::vector<LinePieces> beyondPieces_;
    std::vector<char> beyondShared_; // per element, for the direction at hand
    std::vector<Antenna> stack_;
    // Per element the facets (and lastProfile_ for the earth's tangent line) it lights and
    // sees and does not share with its antenna; the shared ones it takes only where the direction
    // dips below them (dipping_, per antenna, for the direction at hand).
    std::vector<std::vector<int>> visits_;
    std::vector<std::vector<int>> dipping_;
    std::vector<char> clear_, planeShared_; // per element, for the direction at hand
    // Per antenna, for the direction at hand: how an edge that ends the run eases the run's
    // reflection (1 where none does).
    std::vector<Complex> runEased_;
    // Per antenna, the ground the profile ends on as its tangent line from the last point a
    // thousand kilometres on, which reflects in place of the curved continuation.
    std::vector<std::pair<Facet, FacetView>> beyond_;
    // For the far direction at hand: per vertex its horizon, per facet what it is to the
    // observer.
    struct FacetToObserver {
        double un = 0.0;         // the direction's sine against the facet
        double along = 0.0;      // and its cosine along it
        Complex gamma;           // its reflection coefficient there (-1 below the facet)
        bool seen = true;        // whether the observer sees any of it
        double from = 0, to = 0; // the part it sees, from the facet's start
    };
    struct VertexToObserver {
        double path = 0.0; // u . vertex
        Complex phase;     // exp(j k path)
    };
    std::vector<double> horizon_;
    std::vector<FacetToObserver> towards_;
    std::vector<VertexToObserver> observed_;
};

void GeometricRays::findRun() {
    // Vertices within a ten-thousandth of a wavelength of the first facet's line are on it.
    const Facet& first = facets_[Terrain::base];
    const Point behind = facets_[0].tangent;
    // The ground behind the tower continues the first facet as the profile gives it, before
    // the 4/3 earth lowers its far end by its length squared over 2R: that kink is no break.
    const Point base = vertices_[Terrain::base], next = vertices_[Terrain::base + 1];
    const double run = next.x - base.x;
    const Point given{run, next.z - base.z + run * run / (2.0 * effectiveEarthRadius)};
    if (std::fabs(behind.x * given.z - behind.z * given.x) > 1e-9 * std::hypot(given.x, given.z))
        return;
    int end = Terrain::base + 1;
    while (end < lastProfile_ && std::fabs(dot(minus(vertices_[end + 1], first.start),
                                               first.normal)) <= 1e-4 * wavelength_)
        ++end;
    runEnd_ = end;
}

void GeometricRays::combine() {
    constexpr double mostTurn = 0.5;
    for (std::size_t e = 0; e < antennas_.size(); ++e) {
        if (owners_[e] >= static_cast<int>(stack_.size())) stack_.resize(owners_[e] + 1);
        stack_[owners_[e]].elements.push_back(static_cast<int>(e));
    }
    for (Antenna& antenna : stack_) {
        antenna.facets.resize(facets_.size());
        if (antenna.elements.empty()) continue;
        Point middle{0.0, 0.0};
        for (int e : antenna.elements) {
            middle.x += antennas_[e].x / antenna.elements.size();
            middle.z += antennas_[e].z / antenna.elements.size();
        }
        antenna.middle = middle;
        sharePlane(antenna, middle);
        shareBeyond(antenna, middle);
        for (int f = runEnd_; f < lastProfile_; ++f) {
            const Facet& facet = facets_[f];
            const bool whole =
                std::all_of(antenna.elements.begin(), antenna.elements.end(), [&](int e) {
                    const FacetView& v = facetViews_[e][f];
                    return v.lit && v.smooth && v.visibleFrom == 0.0 && v.visibleTo == facet.length;
                });
            if (!whole) continue;
            const auto distance = [](Point p, Point a) {
                const Point d = minus(p, a);
                return std::sqrt(d.x * d.x + d.z * d.z);
            };
            const double r0 = distance(facet.start, middle), r1 = distance(facet.end, middle);
            bool near = true;
            for (int e : antenna.elements) {
                const double de = vertexViews_[e][f + 1].distance - vertexViews_[e][f].distance;
                near = near && std::fabs(k_ * (de - (r1 - r0))) <= mostTurn;
            }
            if (!near) continue;
            Complex h[5];
            for (int i = 0; i < 5; ++i) {
                const double x = 0.25 * i;
                const Point p{facet.start.x + x * facet.length * facet.tangent.x,
                              facet.start.z + x * facet.length * facet.tangent.z};
                const double chord = r0 + x * (r1 - r0);
                h[i] = 0.0;
                for (int e : antenna.elements) {
                    const double r = distance(p, antennas_[e]);
                    h[i] += weights_[e] * integrand(spreading(r), facetViews_[e][f].height / r) *
                            unitPhasor(-k_ * (r - chord));
                }
            }
            Shared& shared = antenna.facets[f];
            shared.on = true;
            shared.wave = unitPhasor(-k_ * r0);
            // The shape holds the facet's length and its wave.
            for (Complex& sample : h) sample *= facet.length * shared.wave;
            shared.shape = SmoothFacet::fromSamples(h);
            shared.dr = r1 - r0;
            shared.turn = unitPhasor(-k_ * shared.dr);
            antenna.shared.push_back(f);
        }
    }
}

bool GeometricRays::piecesAlong(const Facet& line, const std::vector<int>& elements,
                                const std::vector<Complex>& weights,
                                const std::vector<double>& heights, Point middle, double s,
                                double end, LinePieces& out) const {
    constexpr double mostTurn = 0.5;
    constexpr std::size_t most = 8; // elements of one antenna
    if (elements.size() > most) return false;
    const auto distance = [](Point p, Point a) {
        const Point d = minus(p, a);
        return std::sqrt(d.x * d.x + d.z * d.z);
    };
    const auto at = [&](double s) {
        return Point{line.start.x + s * line.tangent.x, line.start.z + s * line.tangent.z};
    };
    out = LinePieces();
    while (s < end) {
        double nearest = std::numeric_limits<double>::infinity();
        for (int e : elements) nearest = std::min(nearest, distance(at(s), antennas_[e]));
        double length = std::min(end - s, 0.5 * nearest);
        Complex h[5];
        double r0 = 0.0, r1 = 0.0;
        bool smooth = false;
        for (int tries = 0; tries < 40 && !smooth; ++tries, length *= 0.5) {
            r0 = distance(at(s), middle);
            r1 = distance(at(s + length), middle);
            smooth = true;
            double re[5][most];
            for (int i = 0; i < 5; ++i)
                for (std::size_t j = 0; j < elements.size(); ++j)
                    re[i][j] = distance(at(s + 0.25 * i * length), antennas_[elements[j]]);
            for (std::size_t j = 0; j < elements.size() && smooth; ++j) {
                smooth = std::fabs(k_ * ((re[4][j] - re[0][j]) - (r1 - r0))) <= mostTurn;
                for (int i = 1; i < 4 && smooth; ++i)
                    smooth = std::fabs(
                                 k_ * (re[i][j] - (re[0][j] + 0.25 * i * (re[4][j] - re[0][j])))) <=
                             SmoothFacet::smoothPhase;
            }
            if (!smooth) continue;
            for (int i = 0; i < 5; ++i) {
                const double chord = r0 + 0.25 * i * (r1 - r0);
                h[i] = 0.0;
                for (std::size_t j = 0; j < elements.size(); ++j) {
                    const double r = re[i][j];
                    h[i] += weights[j] * integrand(spreading(r), heights[j] / r) *
                            unitPhasor(-k_ * (r - chord));
                }
            }
            break;
        }
        if (!smooth) return false;
        Shared piece;
        piece.on = true;
        piece.wave = unitPhasor(-k_ * r0);
        for (Complex& sample : h) sample *= length * piece.wave;
        piece.shape = SmoothFacet::fromSamples(h);
        piece.dr = r1 - r0;
        piece.turn = unitPhasor(-k_ * piece.dr);
        out.pieces.push_back(piece);
        if (out.ends.empty()) out.ends.push_back(s);
        out.lengths.push_back(length);
        s += length;
        out.ends.push_back(s);
    }
    return !out.pieces.empty();
}

Complex GeometricRays::alongLine(const Facet& line, const LinePieces& p, Point u) {
    const double along = dot(u, line.tangent), path0 = dot(u, line.start);
    // The observer's phase at every end, in vector lanes (the scalars copied, so that the
    // compiler tells them apart from the arrays).
    const std::size_t ends = p.ends.size();
    endsRe_.resize(ends);
    endsIm_.resize(ends);
    {
        const double* s = p.ends.data();
        double* re = endsRe_.data();
        double* im = endsIm_.data();
        const double k = k_;
#pragma omp simd
        for (std::size_t i = 0; i < ends; ++i) unitPhasor(k * (path0 + s[i] * along), re[i], im[i]);
    }
    Complex integral = 0.0;
    for (std::size_t i = 0; i < p.pieces.size(); ++i) {
        const Shared& piece = p.pieces[i];
        const Complex observer{endsRe_[i], endsIm_[i]}, next{endsRe_[i + 1], endsIm_[i + 1]};
        integral +=
            observer * linearPhaseIntegral(piece.shape, k_ * (piece.dr - p.lengths[i] * along),
                                           piece.turn * next * std::conj(observer));
    }
    return integral;
}

void GeometricRays::sharePlane(Antenna& antenna, Point middle) {
    if (runEnd_ == 0) return;
    const Facet& plane = planes_[antenna.elements.front()].first;
    const double s = dot(minus(vertices_[runEnd_], plane.start), plane.tangent);
    std::vector<double> heights;
    std::vector<Complex> weights;
    for (int e : antenna.elements) {
        // Every element's foot before the pieces, so each piece's nearest point its start.
        if (!runClear_[e] || planes_[e].second.along >= s || !planes_[e].second.lit) return;
        heights.push_back(planes_[e].second.height);
        weights.push_back(weights_[e]);
    }
    if (!piecesAlong(plane, antenna.elements, weights, heights, middle, s, plane.length,
                     antenna.plane))
        antenna.plane = LinePieces();
}

void GeometricRays::shareBeyond(Antenna& antenna, Point middle) {
    beyondPieces_.resize(antennas_.size());
    const Facet& line = beyond_[antenna.elements.front()].first;
    // Every element's foot before what it sees of the line, so each piece's nearest point
    // its start.
    const auto seesFromFoot = [&](int e) {
        const FacetView& view = beyond_[e].second;
        return view.lit && view.visibleTo > view.visibleFrom && view.along <= view.visibleFrom;
    };
    std::vector<double> heights;
    std::vector<Complex> weights;
    bool whole = true;
    for (int e : antenna.elements) {
        const FacetView& view = beyond_[e].second;
        whole =
            whole && seesFromFoot(e) && view.visibleFrom == 0.0 && view.visibleTo == line.length;
        heights.push_back(view.height);
        weights.push_back(weights_[e]);
    }
    if (whole && piecesAlong(line, antenna.elements, weights, heights, middle, 0.0, line.length,
                             antenna.beyond))
        return;
    antenna.beyond = LinePieces();
    for (int e : antenna.elements) {
        const FacetView& view = beyond_[e].second;
        if (seesFromFoot(e) && !piecesAlong(line, {e}, {1.0}, {view.height}, antennas_[e],
                                            view.visibleFrom, view.visibleTo, beyondPieces_[e]))
            beyondPieces_[e] = LinePieces();
    }
}

void GeometricRays::prepare(Point a) {
    std::vector<VertexView> vv(vertices_.size());
    for (std::size_t i = 0; i < vertices_.size(); ++i) {
        const Point d = minus(vertices_[i], a);
        vv[i].distance = std::sqrt(d.x * d.x + d.z * d.z);
        vv[i].wave = unitPhasor(-k_ * vv[i].distance);
    }
    std::vector<FacetView> fv(facets_.size());
    pieces_.emplace_back();
    double blockSlope = -std::numeric_limits<double>::infinity();
    bool wall = false; // a cliff at the tower rising above the antenna hides everything beyond
    // The part of a facet beyond the vertices looked at so far that the antenna sees.
    const auto limitView = [&](const Facet& facet, FacetView& view) {
        const Point v = facet.start;
        if (wall) {
            view.visibleTo = 0.0;
        } else if (std::isfinite(blockSlope)) {
            // clearance(s) = (z(s) - a.z) - blockSlope (x(s) - a.x), linear in s.
            const double c0 = (v.z - a.z) - blockSlope * (v.x - a.x);
            const double c1 = facet.tangent.z - blockSlope * facet.tangent.x;
            if (c1 > 0.0)
                view.visibleFrom = std::clamp(-c0 / c1, 0.0, facet.length);
            else if (c1 < 0.0)
                view.visibleTo = std::clamp(-c0 / c1, 0.0, facet.length);
            else if (c0 < 0.0)
                view.visibleTo = 0.0;
        }
    };
    // The tangent line of the level earth at the profile's last point (the transform lowers
    // the earth by (x - x0)^2 / 2R).
    const Point last = vertices_[lastProfile_];
    const double drop = (last.x - vertices_[Terrain::base].x) / effectiveEarthRadius;
    const double norm = std::sqrt(1.0 + drop * drop);
    Facet tangentLine;
    tangentLine.start = last;
    tangentLine.tangent = {1.0 / norm, -drop / norm};
    tangentLine.normal = {-tangentLine.tangent.z, tangentLine.tangent.x};
    tangentLine.length = 1e6;
    tangentLine.end = {last.x + tangentLine.length * tangentLine.tangent.x,
                       last.z + tangentLine.length * tangentLine.tangent.z};
    FacetView tangentView;
    for (std::size_t f = 0; f < facets_.size(); ++f) {
        const Facet& facet = facets_[f];
        const Point rel = minus(a, facet.start);
        fv[f].height = dot(rel, facet.normal);
        fv[f].along = dot(rel, facet.tangent);
        fv[f].lit = fv[f].height > 0.0;
        fv[f].visibleFrom = 0.0;
        fv[f].visibleTo = facet.length;
        if (static_cast<int>(f) >= Terrain::base) {
            // The antenna sees P(s) over every vertex up to the facet's start when the slope
            // from the antenna to P is at least the steepest slope to those vertices.
            const Point v = facet.start;
            if (v.x <= a.x) {
                if (v.z > a.z) wall = true;
            } else {
                blockSlope = std::max(blockSlope, (v.z - a.z) / (v.x - a.x));
            }
            limitView(facet, fv[f]);
            if (static_cast<int>(f) == lastProfile_) {
                const Point rel = minus(a, tangentLine.start);
                tangentView.height = dot(rel, tangentLine.normal);
                tangentView.along = dot(rel, tangentLine.tangent);
                tangentView.lit = tangentView.height > 0.0;
                tangentView.visibleTo = tangentLine.length;
                limitView(tangentLine, tangentView);
            }
        }
    }
    beyond_.push_back({tangentLine, tangentView});
    for (std::size_t f = 0; f < facets_.size(); ++f) {
        const double toStart = vv[f].distance, toEnd = vv[f + 1].distance;
        fv[f].gStart = integrand(spreading(toStart), fv[f].height / toStart);
        fv[f].gEnd = integrand(spreading(toEnd), fv[f].height / toEnd);
        fv[f].slopeStart = (0.0 - fv[f].along) / toStart;
        fv[f].slopeEnd = (facets_[f].length - fv[f].along) / toEnd;
        // Only a facet the antenna lights and sees some of is ever integrated.
        if (!fv[f].lit || !(fv[f].visibleTo > fv[f].visibleFrom)) continue;
        smoothen(a, facets_[f], toStart, toEnd, fv[f]);
        if (!fv[f].smooth) cut(a, facets_[f], toStart, toEnd, fv[f]);
    }
    bool clear = runEnd_ > 0;
    for (int f = 0; f < runEnd_ && clear; ++f)
        clear = fv[f].lit && fv[f].visibleFrom == 0.0 && fv[f].visibleTo == facets_[f].length;
    runClear_.push_back(clear);
    facetViews_.push_back(std::move(fv));
    vertexViews_.push_back(std::move(vv));
    const Facet& first = facets_[Terrain::base];
    constexpr double reach = 1e6;
    Facet plane = first;
    plane.start = {first.start.x - reach * first.tangent.x,
                   first.start.z - reach * first.tangent.z};
    plane.end = {first.start.x + reach * first.tangent.x, first.start.z + reach * first.tangent.z};
    plane.length = 2.0 * reach;
    FacetView view;
    const Point rel = minus(a, plane.start);
    view.height = dot(rel, plane.normal);
    view.along = dot(rel, plane.tangent);
    view.lit = view.height > 0.0;
    view.visibleTo = plane.length;
    planes_.push_back({plane, view});
}

void GeometricRays::smoothen(Point a, const Facet& f, double toStart, double toEnd,
                             FacetView& view) const {
    // The amplitude, as r^-3/2, must also be smooth: the facet no longer than half its
    // nearest distance.
    if (std::min(toStart, toEnd) < 2.0 * f.length) return;
    for (int i = 0; i < 5; ++i) {
        const double x = 0.25 * i;
        double r = i == 0 ? toStart : toEnd;
        if (i > 0 && i < 4) {
            const Point d = minus(
                {f.start.x + x * f.length * f.tangent.x, f.start.z + x * f.length * f.tangent.z},
                a);
            r = std::sqrt(d.x * d.x + d.z * d.z);
        }
        if (std::fabs(k_ * (r - (toStart + x * (toEnd - toStart)))) > SmoothFacet::smoothPhase)
            return;
        view.samples[i] = r;
    }
    view.smooth = true;
}

void GeometricRays::shape(FacetView& view) const {
    const double* r = view.samples;
    Complex h[5];
    for (int i = 0; i < 5; ++i)
        h[i] = integrand(spreading(r[i]), view.height / r[i]) *
               unitPhasor(-k_ * (r[i] - (r[0] + 0.25 * i * (r[4] - r[0]))));
    view.shape = SmoothFacet::fromSamples(h);
    view.shaped = true;
}

void GeometricRays::cut(Point a, const Facet& f, double toStart, double toEnd, FacetView& view) {
    constexpr int mostPieces = 16;
    if (f.length > 1e5) return; // the ground behind the tower
    // Each piece no longer than half the facet's nearest distance, as for a whole facet.
    const bool footOn = view.along > 0.0 && view.along < f.length;
    const double nearest = footOn ? std::fabs(view.height) : std::min(toStart, toEnd);
    int pieces = 2;
    while (pieces <= mostPieces && f.length / pieces > 0.5 * nearest) pieces *= 2;
    std::vector<double> r;
    for (; pieces <= mostPieces; pieces *= 2) {
        // The distances at the quarters of every piece, and whether each keeps to its chord.
        const int samples = 4 * pieces;
        r.resize(samples + 1);
        for (int i = 0; i <= samples; ++i) {
            const double s = f.length * i / samples;
            const Point d = minus({f.start.x + s * f.tangent.x, f.start.z + s * f.tangent.z}, a);
            r[i] = i == 0 ? toStart : i == samples ? toEnd : std::sqrt(d.x * d.x + d.z * d.z);
        }
        bool smooth = true;
        for (int i = 0; i < samples && smooth; ++i) {
            const int p0 = i / 4 * 4;
            smooth = std::fabs(k_ * (r[i] - (r[p0] + 0.25 * (i - p0) * (r[p0 + 4] - r[p0])))) <=
                     SmoothFacet::smoothPhase;
        }
        if (smooth) break;
    }
    if (pieces > mostPieces) return;
    std::vector<SmoothPiece>& out = pieces_.back();
    view.pieces = pieces;
    view.first = static_cast<int>(out.size());
    for (int p = 0; p <= pieces; ++p) {
        SmoothPiece piece;
        piece.r = r[4 * p];
        piece.wave = unitPhasor(-k_ * piece.r);
        if (p < pieces) {
            Complex h[5];
            for (int i = 0; i < 5; ++i) {
                const double at = r[4 * p + i];
                const double chord = r[4 * p] + 0.25 * i * (r[4 * p + 4] - r[4 * p]);
                h[i] = integrand(spreading(at), view.height / at) * unitPhasor(-k_ * (at - chord));
            }
            piece.shape = SmoothFacet::fromSamples(h);
        }
        out.push_back(piece);
    }
}

Complex GeometricRays::groundRays(Point a, Point u, int edge, bool lit) const {
    const EdgeDiffraction::Sides& sides = edges_.sides(edge);
    const Point top = edges_.at(edge);
    const auto mirror = [](Point p, const Facet& f) {
        const double h = dot(minus(p, f.start), f.normal);
        return Point{p.x - 2.0 * h * f.normal.x, p.z - 2.0 * h * f.normal.z};
    };
    // The ground on either side of the edge runs over the profile's facets next to it that
    // are not faces (sampled ground is many facets). How much of a ray reflected 'at' along facet
    // j is kept: all of it where the point is a tenth of that ground's length from either
    // of its ends, fading to none at its ends (a ray reflected off the ground, or grazing
    // at the edge itself, is not there). 'near' is the facet next to the edge, on the
    // edge's side of j (after it, or before it behind the edge).
    const auto isGround = [&](int i) {
        return i >= Terrain::base && i < lastProfile_ && facets_[i].tangent.x > std::cos(pi / 9.0);
    };
    const auto onGround = [&](int j, double at, int near, bool behindEdge) {
        double before = at, after = facets_[j].length - at;
        for (int i = j - 1; isGround(i) && (!behindEdge || i >= near); --i)
            before += facets_[i].length;
        for (int i = j + 1; isGround(i) && (behindEdge || i <= near); ++i)
            after += facets_[i].length;
        const double margin = 0.1 * (before + after), inside = std::min(before, after);
        if (inside <= 0.0) return 0.0;
        if (inside >= margin) return 1.0;
        const double x = inside / margin;
        return x * x * (3.0 - 2.0 * x);
    };
    const auto through = [&](Point source, Point direction) {
        return edges_.transition(source, direction);
    };
    Complex sum = 0.0;
    // Reflected before the edge: the image in the ground before it (in the facet the
    // image's ray to the edge crosses), at the angle of that ray, kept as far as its
    // reflection lies on the ground.
    Point image = a;
    Complex before = 0.0;
    for (int j = sides.beforeIndex; sides.before;) {
        const Facet& f = facets_[j];
        const double h = dot(minus(a, f.start), f.normal);
        image = mirror(a, f);
        const Point toEdge = minus(top, image);
        const double length = std::hypot(toEdge.x, toEdge.z);
        const double sine = dot(toEdge, f.normal) / length;
        if (!(h > 0.0 && sine > 0.0)) break;
        // The ray crosses the facet's line h / sine along it from the image.
        const double cross = h / sine;
        const Point p{image.x + cross * toEdge.x / length, image.z + cross * toEdge.z / length};
        const double at = dot(minus(p, f.start), f.tangent);
        if (at < 0.0 && isGround(j - 1)) {
            --j;
            continue;
        }
        before = onGround(j, at, sides.beforeIndex, false) * ground_.reflection(sine);
        if (before != 0.0 && !lit)
            sum += before * through(image, u) * unitPhasor(k_ * dot(u, image));
        break;
    }
    // Reflected after it: diffracted towards the direction's mirror in the ground behind
    // (in the facet that ray meets), kept as far as that ray meets the ground behind.
    for (int j = sides.afterIndex; sides.after;) {
        const Facet& g = facets_[j];
        const double behind = dot(u, g.normal);
        const double drop = dot(minus(top, g.start), g.normal);
        if (!(behind > 0.0 && drop > 0.0)) break;
        const Point down{u.x - 2.0 * behind * g.normal.x, u.z - 2.0 * behind * g.normal.z};
        const Point p{top.x + drop / behind * down.x, top.z + drop / behind * down.z};
        const double at = dot(minus(p, g.start), g.tangent);
        if (at > g.length && isGround(j + 1)) {
            ++j;
            continue;
        }
        Complex after = onGround(j, at, sides.afterIndex, true) * ground_.reflection(behind);
        if (lit) after *= litShare(a, u, edge, g, p);
        if (after != 0.0) {
            sum += after * through(a, down) * unitPhasor(k_ * dot(u, mirror(a, g)));
            if (before != 0.0)
                sum += before * after * through(image, down) *
                       unitPhasor(k_ * dot(u, mirror(image, g)));
        }
        break;
    }
    return sum;
}

double GeometricRays::litShare(Point a, Point u, int edge, const Facet& g, Point p) const {
    const Point top = edges_.at(edge);
    // A thin edge diffracts the field down to the ground behind it as the knife edge does; a
    // right-angled lip (a cliff's) far less at these angles: taken in full there, the cliffs
    // came out 1 to 3.9 dB rms further from the full-wave answer. Kept in full for a screen
    // (a turn of 180 degrees), fading out by a right angle.
    const double y = std::clamp((edges_.turn(edge) - pi / 2.0) / (pi / 2.0), 0.0, 1.0);
    double kept = y * y * (3.0 - 2.0 * y);
    // The ground behind the edge that the element lights, from where its ray over the edge
    // meets that ground (none where the ray rises), reflects this ray already by its
    // integral's hard cut at that shadow line: kept where the shadow line lies more than a
    // Fresnel unit beyond p (for the path from the edge), in full from three.
    const Point toTop = minus(top, a);
    const double falls = dot(toTop, g.normal);
    if (kept > 0.0 && falls < 0.0) {
        const double t = -dot(minus(a, g.start), g.normal) / falls;
        const Point q{a.x + t * toTop.x, a.z + t * toTop.z};
        const auto phi = [&](Point x) { return std::hypot(x.x - top.x, x.z - top.z) - dot(u, x); };
        const double tau = std::sqrt(k_ * std::max(0.0, phi(q) - phi(p)));
        const double beyond = dot(minus(q, p), g.tangent) >= 0.0 ? tau : -tau;
        const double x = std::clamp((beyond - 1.0) / 2.0, 0.0, 1.0);
        kept *= x * x * (3.0 - 2.0 * x);
    }
    return kept;
}

StationaryPoint GeometricRays::stationary(const Facet& f, const FacetView& view, Point u,
                                          double un) const {
    StationaryPoint st;
    const double c = dot(u, f.tangent);
    const double absUn = std::fabs(un);
    if (absUn > 1e-12) {
        st.s = view.along + c * view.height / absUn;
        const double r = view.height / absUn;
        st.phi = r - dot(u, f.start) - c * st.s;
        st.curvature = view.height * view.height / (r * r * r);
    } else {
        st.s = std::numeric_limits<double>::infinity();
        st.phi = -std::numeric_limits<double>::infinity();
    }
    return st;
}

FacetPoint GeometricRays::vertexPoint(int antenna, int facet, bool end) const {
    const Facet& f = facets_[facet];
    const FacetView& view = facetViews_[antenna][facet];
    const int v = facet + (end ? 1 : 0);
    const VertexView& at = vertexViews_[antenna][v];
    FacetPoint fp;
    fp.s = end ? f.length : 0.0;
    fp.wave = at.wave * observed_[v].phase;
    fp.phi = at.distance - observed_[v].path;
    fp.slope = (end ? view.slopeEnd : view.slopeStart) - towards_[facet].along;
    fp.g = end ? view.gEnd : view.gStart;
    return fp;
}

FacetPoint GeometricRays::facetPoint(int antenna, const Facet& f, const FacetView& view, double s,
                                     Point u, const VertexView* known) const {
    const Point p{f.start.x + s * f.tangent.x, f.start.z + s * f.tangent.z};
    FacetPoint fp;
    double distance;
    if (known) {
        distance = known->distance;
        fp.wave = known->wave * unitPhasor(k_ * dot(u, p));
    } else {
        const Point d = minus(p, antennas_[antenna]);
        distance = std::sqrt(d.x * d.x + d.z * d.z);
        fp.wave = unitPhasor(k_ * (dot(u, p) - distance));
    }
    // One division for the three quotients by the distance.
    const double inverse = 1.0 / distance;
    fp.s = s;
    fp.phi = distance - dot(u, p);
    fp.slope = (s - view.along) * inverse - dot(u, f.tangent);
    const double size = spreadingScale_ * std::sqrt(inverse);
    fp.g = integrand({size, size}, view.height * inverse);
    return fp;
}

Complex GeometricRays::facetIntegral(int antenna, const Facet& f, const FacetView& view,
                                     double from, double to, Point u, double un,
                                     const FacetPoint& pa, const FacetPoint& pb,
                                     StationaryPoint& st) const {
    const double c = dot(u, f.tangent);
    const double absUn = std::fabs(un);
    st = stationary(f, view, u, un);
    Complex integral = endTerm(k_, pb) - endTerm(k_, pa);
    if (absUn > 1e-12) {
        // Over the few Fresnel zones about s* the end terms are replaced by the zone's
        // integral.
        // The zone reaches the part integrated unless both ends lie beyond it on one side
        // (tau past 4, as the zone's own limits: k (phi - phi*) = 8 pi).
        const auto beyond = [&](const FacetPoint& p) { return k_ * (p.phi - st.phi) >= 8.0 * pi; };
        const bool before = pa.s >= st.s && beyond(pa), after = pb.s <= st.s && beyond(pb);
        const FacetLine line{k_, view.height, view.along, c, un};
        const auto [zoneFrom, zoneTo] =
            before || after ? std::pair<double, double>{0.0, 0.0} : line.zone();
        const double za = std::max(from, zoneFrom), zb = std::min(to, zoneTo);
        if (!before && !after && zb > za) {
            const auto pointAt = [&](double s) {
                return facetPoint(antenna, f, view, s, u, nullptr);
            };
            const FacetPoint qa = za == from ? pa : pointAt(za);
            const FacetPoint qb = zb == to ? pb : pointAt(zb);
            integral +=
                zoneIntegral(line, qa, qb, st, pointAt) - (endTerm(k_, qb) - endTerm(k_, qa));
        }
    }
    return integral;
}

Complex GeometricRays::beyondReflection(int element, const FacetToObserver& seen, Point u,
                                        double from, double to, StationaryPoint& st) {
    const Facet& f = beyond_[element].first;
    const FacetView& view = beyond_[element].second;
    const Point a = antennas_[element];
    const double un = seen.un;
    st = stationary(f, view, u, un);
    Complex integral;
    const FacetPoint pa = facetPoint(element, f, view, from, u, nullptr);
    if (beyondShared_[element]) {
        integral = 0.0; // taken for the whole antenna
    } else if (const LinePieces& own = beyondPieces_[element];
               !own.pieces.empty() && !(pa.s >= st.s && k_ * (pa.phi - st.phi) >= 8.0 * pi)) {
        // In pieces, as the plane beside it, where the line's start is within a few Fresnel
        // zones of the specular point or before it: a zone integral across the Fresnel zone
        // of an antenna low in wavelengths, which at low angles spans hundreds of
        // kilometres of the line, was off by half a percent of the reflection, half a dB
        // where the direct and reflected rays nearly cancel.
        integral = alongLine(f, own, u);
    } else {
        integral = facetIntegral(element, f, view, from, to, u, un, pa,
                                 facetPoint(element, f, view, to, u, nullptr), st);
    }
    // Over the curved earth the specular reflection spreads by the divergence
    // factor D = (1 + 2 d / (R sin psi))^-1/2, d from the antenna's foot to the
    // specular point: the reflection is taken down by 1 - D, in the share the
    // line holds of it (a smooth step in the tau of its start, a half where the
    // specular point is at the start, real so as not to turn its phase). The
    // earth's currents far from the specular point, which physical optics over
    // its facets leaves uncancelled as far as the antenna's horizon, are taken
    // as a plane's, which cancel. Where D is within 1 % of one the earth is
    // taken as flat (at these angles the Fresnel zone spans kilometres and D is not
    // the curved earth's effect, which the full-wave answer puts at a tenth of a
    // dB either way, while 1 - D = 1 % moves the field of an antenna low in
    // wavelengths, whose direct and reflected rays nearly cancel, by 0.7 dB):
    // the reflection is taken down by x - 0.01^2 / x for x = 1 - D past 0.01,
    // rising from nothing there to nearly 1 - D by x = 0.05.
    const double d = std::max(0.0, seen.along * view.height / un);
    const double x = 1.0 - 1.0 / std::sqrt(1.0 + 2.0 * d / (effectiveEarthRadius * un));
    constexpr double flatWithin = 0.01;
    if (x > flatWithin) {
        const double loss = x - flatWithin * flatWithin / x;
        const double share = 0.5 * std::erfc(tauOf(k_, pa, st));
        const Point image{a.x - 2.0 * view.height * f.normal.x,
                          a.z - 2.0 * view.height * f.normal.z};
        integral -= loss * share * std::polar(1.0, k_ * dot(u, image));
    }
    return integral;
}

bool GeometricRays::sharedEased(const Antenna& antenna, int facet, Point u, double from, double to,
                                Complex& term) const {
    const Facet& f = facets_[facet];
    const Point m = antenna.middle;
    const double h = dot(minus(m, f.start), f.normal);
    const Point image{m.x - 2.0 * h * f.normal.x, m.z - 2.0 * h * f.normal.z};
    double share = 0.0;
    Complex eased;
    if (!easedPast(image, u, f.end.x, eased, share)) return false;
    const auto integral = [&](double a, double b) {
        return sharedIntegral(antenna.facets[facet], facet, a, b);
    };
    // As an element's own facet (see visit in field): over all the elements see, which is
    // the whole facet, times the transition, and the part the observer sees in the rest.
    Complex sum;
    if (to >= f.length)
        sum = (eased + (1.0 - share)) * integral(from, f.length);
    else
        sum = eased * integral(from, f.length) +
              (share < 1.0 && to > from ? (1.0 - share) * integral(from, to) : Complex(0.0));
    term = towards_[facet].gamma * observed_[facet].phase * sum;
    return true;
}

Complex GeometricRays::field(double theta, int index, LoggedAngle* log) {
    const Point u{std::cos(theta), std::sin(theta)};
    const double tanTheta = std::tan(theta);
    const bool logging = log && log->index == index;
    // One facet's term into the log.
    const auto logTerm = [&](std::size_t ai, int facet, const Facet& f, double un, Complex gamma,
                             const StationaryPoint& st, double from, double to, Complex term) {
        const bool onFacet = st.s >= from && st.s <= to;
        const auto kind = !onFacet   ? Contribution::Kind::Ends
                          : un > 0.0 ? Contribution::Kind::Reflected
                                     : Contribution::Kind::Forward;
        const double s = onFacet ? st.s : 0.5 * (from + to);
        const Point p{f.start.x + s * f.tangent.x, f.start.z + s * f.tangent.z};
        log->terms.push_back({owners_[ai], kind, facet, p, onFacet ? std::asin(std::fabs(un)) : 0.0,
                              onFacet ? gamma : Complex(0.0),
                              onFacet ? st.phi + dot(u, antennas_[ai]) : 0.0, term});
    };
    // For geometrical optics: the highest of z - x tan(theta) over the vertices from each
    // index on; a point sees the far observer when its own value is at least that.
    horizon_.assign(vertices_.size() + 1, -std::numeric_limits<double>::infinity());
    for (int i = static_cast<int>(vertices_.size()) - 1; i >= 0; --i)
        horizon_[i] = std::max(horizon_[i + 1], vertices_[i].z - vertices_[i].x * tanTheta);
    // What each facet is to the far direction, the same for every source: the sine of the
    // direction against it, its reflection coefficient and the part the observer sees.
    observed_.resize(vertices_.size());
    for (std::size_t v = 0; v < vertices_.size(); ++v) {
        observed_[v].path = dot(u, vertices_[v]);
        observed_[v].phase = unitPhasor(k_ * observed_[v].path);
    }
    towards_.resize(facets_.size());
    for (std::size_t fi = 0; fi < facets_.size(); ++fi) {
        const Facet& f = facets_[fi];
        FacetToObserver& t = towards_[fi];
        t.un = dot(u, f.normal);
        t.along = dot(u, f.tangent);
        t.seen = true;
        t.from = -std::numeric_limits<double>::infinity();
        t.to = std::numeric_limits<double>::infinity();
        if (t.un > 0.0) {
            // The observer sees P(s) when z(s) - x(s) tan(theta) reaches the horizon of the
            // vertices beyond the facet.
            const double limit = horizon_[fi + 2];
            const double c0 = f.start.z - f.start.x * tanTheta - limit;
            const double c1 = f.tangent.z - f.tangent.x * tanTheta;
            if (c1 > 0.0)
                t.from = -c0 / c1;
            else if (c1 < 0.0)
                t.to = -c0 / c1;
            else if (c0 < 0.0)
                t.seen = false;
            t.seen = t.seen && t.to > 0.0 && t.from < f.length;
            // The coefficient also where the observer does not see the facet, which may
            // still reflect past an edge.
            t.gamma = ground_.reflection(t.un);
        } else {
            t.gamma = -1.0;
        }
    }
    dipping_.resize(stack_.size());
    for (std::size_t i = 0; i < stack_.size(); ++i) {
        dipping_[i].clear();
        for (int f : stack_[i].shared)
            if (towards_[f].un <= 0.0) dipping_[i].push_back(f);
    }
    // The earth's tangent line at the profile's end, the same line for every source.
    FacetToObserver tangentSeen;
    tangentSeen.un = dot(u, beyond_.front().first.normal);
    tangentSeen.along = dot(u, beyond_.front().first.tangent);
    tangentSeen.gamma = tangentSeen.un > 0.0 ? ground_.reflection(tangentSeen.un) : Complex(-1.0);
    tangentSeen.from = -std::numeric_limits<double>::infinity();
    tangentSeen.to = std::numeric_limits<double>::infinity();
    Complex total = 0.0;
    // Which elements' direct rays clear the terrain.
    clear_.resize(antennas_.size());
    for (std::size_t e = 0; e < antennas_.size(); ++e)
        clear_[e] =
            antennas_[e].z - antennas_[e].x * tanTheta >= horizon_[Terrain::base + 1] - 1e-9;
    // The first facet's plane's coefficient, the same for every source.
    const double planeUn = dot(u, planes_.front().first.normal);
    const Complex firstGamma = planeUn > 0.0 ? ground_.reflection(planeUn) : Complex(-1.0);
    // Whether the far observer sees all of the run along the first facet's plane.
    bool runSeen = runEnd_ > 0;
    for (int f = 0; f < runEnd_ && runSeen; ++f) {
        const FacetToObserver& t = towards_[f];
        runSeen = t.un > 0.0 && t.seen && t.from <= 0.0 && t.to >= facets_[f].length;
    }
    // Where an edge ends the run (the lip of a drop past ground that keeps to the tower's
    // plane), the run's reflection passes it by the edge's transition for the image in the
    // plane, as a facet's does where it is integrated on its own (see visit below): the run
    // left to the plane is the facets' integrals with their ends, which would otherwise
    // cut the reflection hard at the lip. For each antenna its middle's image, so that the
    // plane beyond the run, taken once for the antenna, is eased as its elements' images.
    runEased_.assign(stack_.size(), 1.0);
    if (runSeen && planeUn > 0.0 && edges_.any()) {
        const Facet& plane = planes_.front().first;
        for (std::size_t i = 0; i < stack_.size(); ++i) {
            if (stack_[i].elements.empty()) continue;
            const Point m = stack_[i].middle;
            const double h = dot(minus(m, plane.start), plane.normal);
            const Point image{m.x - 2.0 * h * plane.normal.x, m.z - 2.0 * h * plane.normal.z};
            double share = 0.0;
            Complex eased;
            if (easedPast(image, u, vertices_[runEnd_].x, eased, share))
                runEased_[i] = eased + (1.0 - share);
        }
    }
    // The plane beyond the run, where every element of an antenna leaves the run to the
    // plane, taken once for the antenna (planeShared_ per element).
    planeShared_.assign(antennas_.size(), 0);
    if (ground_.permittivity() != Complex(1.0) && runSeen && planeUn > 0.0) {
        for (const Antenna& antenna : stack_) {
            if (antenna.plane.pieces.empty() ||
                !std::all_of(antenna.elements.begin(), antenna.elements.end(),
                             [&](int e) { return clear_[e] && runClear_[e]; }))
                continue;
            const Complex integral =
                runEased_[owners_[antenna.elements.front()]] *
                alongLine(planes_[antenna.elements.front()].first, antenna.plane, u);
            total -= firstGamma * integral;
            for (int e : antenna.elements) planeShared_[e] = 1;
            if (logging)
                log->terms.push_back({owners_[antenna.elements.front()], Contribution::Kind::Plane,
                                      -1, vertices_[runEnd_], 0.0, firstGamma, 0.0,
                                      -firstGamma * integral});
        }
    }
    // The earth's tangent line, where every element of an antenna sees all of it, taken
    // once for the antenna (beyondShared_ per element).
    beyondShared_.assign(antennas_.size(), 0);
    if (ground_.permittivity() != Complex(1.0) && tangentSeen.un > 0.0) {
        for (const Antenna& antenna : stack_) {
            if (antenna.beyond.pieces.empty()) continue;
            const Complex term =
                tangentSeen.gamma * alongLine(beyond_.front().first, antenna.beyond, u);
            total += term;
            for (int e : antenna.elements) beyondShared_[e] = 1;
            if (logging)
                log->terms.push_back({owners_[antenna.elements.front()], Contribution::Kind::Ends,
                                      lastProfile_, vertices_[lastProfile_], 0.0, tangentSeen.gamma,
                                      0.0, term});
        }
    }
    // The facets each antenna integrates once for all its elements, where the direction
    // reflects from them (eased past an edge where one hides them, see sharedEased).
    if (ground_.permittivity() != Complex(1.0)) {
        for (const Antenna& antenna : stack_) {
            const bool easing =
                edges_.any() && std::all_of(antenna.elements.begin(), antenna.elements.end(),
                                            [&](int e) { return clear_[e]; });
            for (int facet : antenna.shared) {
                const FacetToObserver& seen = towards_[facet];
                if (seen.un <= 0.0) continue;
                const Facet& f = facets_[facet];
                const double from = std::max(0.0, seen.from);
                const double to = seen.seen ? std::min(f.length, seen.to) : from;
                Complex term;
                if (!(easing && from < f.length &&
                      sharedEased(antenna, facet, u, from, to, term))) {
                    if (!(to > from)) continue;
                    term = seen.gamma * observed_[facet].phase *
                           sharedIntegral(antenna.facets[facet], facet, from, to);
                }
                total += term;
                if (logging && std::abs(term) > 1e-4)
                    logTerm(antenna.elements.front(), facet, f, seen.un, seen.gamma,
                            stationary(f, facetViews_[antenna.elements.front()][facet], u, seen.un),
                            from, to, term);
            }
        }
    }
    for (std::size_t ai = 0; ai < antennas_.size(); ++ai) {
        const int element = static_cast<int>(ai); // a line source; owners_ names its antenna
        const Point a = antennas_[ai];
        const Complex w = weights_[ai];
        // The direct field, phase referred to the origin.
        const bool directClear = clear_[ai];
        // Near an edge of the profile that hides it or only just clears it the ray comes
        // through by the edge's transition; hidden by smooth ground alone, not at all.
        double edgeV = -std::numeric_limits<double>::infinity(), edgeShare = 0.0;
        int edge = -1;
        const Complex transition =
            edges_.any() ? edges_.transition(a, u, &edgeV, &edgeShare, &edge) : Complex(1.0);
        if (directClear || edgeV > 0.0) {
            const Complex direct = w * transition * unitPhasor(k_ * dot(u, a));
            total += direct;
            if (logging)
                log->terms.push_back(
                    {owners_[ai],
                     directClear ? Contribution::Kind::Direct : Contribution::Kind::Diffracted, -1,
                     a, 0.0, transition, 0.0, direct});
        }
        // Ground that reflects nothing is empty space: it carries no currents.
        if (ground_.permittivity() == Complex(1.0)) continue;
        // In an edge's shadow the ground's reflections are diffracted over the same edge: the
        // four rays of a knife edge over ground (direct, reflected before the edge, after
        // it, and both), each through the edge's transition for its own source and
        // direction. (On the lit side the facets' own reflections stand for them.)
        if (!directClear && edgeV > 0.0 && edge >= 0) total += w * groundRays(a, u, edge);
        // On the lit side the facets' reflections stand for the rays but the one the edge
        // diffracts down to the ground behind it where the element does not light it.
        else if (directClear && edge >= 0)
            total += w * groundRays(a, u, edge, true);
        // The run along the first facet's plane is left to the plane's exact reflection.
        const Facet& first = planes_[ai].first;
        const double firstUn = dot(u, first.normal);
        const bool run = runSeen && runClear_[ai] && directClear && firstUn > 0.0;
        // The profile's facets, then in place of the curved continuation the tangent line of
        // the earth at its end (see below).
        // The facet's integral from 'from' to 'to', weighted by 'scale' (see visit below).
        const auto integrate = [&](int facet, double from, double to, Complex scale) {
            const bool tangent = facet == lastProfile_;
            const FacetView& view = tangent ? beyond_[ai].second : facetViews_[ai][facet];
            const Facet& f = tangent ? beyond_[ai].first : facets_[facet];
            const FacetToObserver& seen = tangent ? tangentSeen : towards_[facet];
            const double un = seen.un;
            // The coefficient (of a facet hidden from the observer too, eased past an edge).
            const Complex facetGamma = seen.gamma;
            // Taken once for the whole antenna above.
            if (!tangent && un > 0.0 && stack_[owners_[ai]].facets[facet].on) return;
            StationaryPoint st;
            // A closed-form integral's term, weighted as below.
            const auto closedForm = [&](Complex integral) {
                integral *= un <= 0.0 ? facetGamma * (1.0 - edgeShare) : facetGamma;
                const Complex term = w * scale * integral;
                total += term;
                if (logging && std::abs(term) > 1e-4)
                    logTerm(ai, facet, f, un, facetGamma, stationary(f, view, u, un), from, to,
                            term);
            };
            if (!tangent && view.pieces > 0 && from == 0.0 && to == f.length) {
                // Nearer, the whole facet piece by piece, each in closed form from the phase
                // at its ends: exp(-j k phi) = exp(-j k r) exp(j k u.P).
                const SmoothPiece* piece = &pieces_[ai][view.first];
                const double length = f.length / view.pieces;
                const double path0 = observed_[facet].path;
                Complex observer = observed_[facet].phase;
                Complex waveA = piece[0].wave * observer, sum = 0.0;
                double phiA = piece[0].r - path0;
                for (int p = 0; p < view.pieces; ++p) {
                    const double path = path0 + (p + 1) * length * seen.along;
                    observer =
                        p + 1 == view.pieces ? observed_[facet + 1].phase : unitPhasor(k_ * path);
                    const Complex waveB = piece[p + 1].wave * observer;
                    const double phiB = piece[p + 1].r - path;
                    sum += waveA * linearPhaseIntegral(piece[p].shape, k_ * (phiB - phiA),
                                                       waveB * std::conj(waveA));
                    waveA = waveB;
                    phiA = phiB;
                }
                closedForm(length * sum);
                return;
            }
            if (!tangent && view.smooth) {
                // Far from the antenna, in closed form from the phase at the facet's ends
                // (the shape made on first use for a facet the element shares).
                if (!view.shaped) shape(facetViews_[ai][facet]);
                const FacetPoint pa = vertexPoint(element, facet, false);
                const FacetPoint pb = vertexPoint(element, facet, true);
                const double t = k_ * (pb.phi - pa.phi);
                closedForm(
                    f.length * pa.wave *
                    (from == 0.0 && to == f.length
                         ? linearPhaseIntegral(view.shape, t, pb.wave * std::conj(pa.wave))
                         : linearPhaseIntegral(view.shape, t, from / f.length, to / f.length)));
                return;
            }
            Complex integral;
            if (tangent && un > 0.0) {
                integral = beyondReflection(element, seen, u, from, to, st);
            } else {
                const FacetPoint pa = from == 0.0 && !tangent
                                          ? vertexPoint(element, facet, false)
                                          : facetPoint(element, f, view, from, u, nullptr);
                const FacetPoint pb = to == f.length && !tangent
                                          ? vertexPoint(element, facet, true)
                                          : facetPoint(element, f, view, to, u, nullptr);
                integral = facetIntegral(element, f, view, from, to, u, un, pa, pb, st);
            }
            const Complex gamma = facetGamma;
            // Near an edge the edge's transition of the direct ray stands for the grazing
            // field that would otherwise cancel it.
            integral *= un <= 0.0 ? gamma * (1.0 - edgeShare) : gamma;
            const Complex term = w * scale * integral;
            total += term;
            if (logging && std::abs(term) > 1e-4)
                logTerm(ai, facet, f, un, gamma, st, from, to, term);
        };
        const auto visit = [&](int facet) {
            const bool tangent = facet == lastProfile_;
            const FacetView& view = tangent ? beyond_[ai].second : facetViews_[ai][facet];
            if (!view.lit) return;
            const Facet& f = tangent ? beyond_[ai].first : facets_[facet];
            const FacetToObserver& seen = tangent ? tangentSeen : towards_[facet];
            const double un = seen.un;
            double from = view.visibleFrom, to = view.visibleTo;
            const double uncut = std::min(to, f.length);
            if (un <= 0.0) {
                // The direction dips below this facet's plane while the direct ray passes
                // above it: the facet's field is the grazing one (coefficient -1) over all
                // the antenna sees of it, and cancels the ray as its reflection did on
                // the other side of grazing.
                if (!directClear || edgeShare == 1.0) return;
            } else {
                // A facet the observer does not see may still reflect past an edge (below).
                from = std::max(from, seen.from);
                to = seen.seen ? std::min(to, seen.to) : from;
            }
            // Where an edge beyond the facet hides its far part (or the ground after it) from
            // the observer while the direct ray clears the terrain, a hard cut of the
            // integral there would stand for the edge's diffraction of the facet's
            // reflection, from the wrong place and turning fast with the angle where the cut
            // runs near the antenna (4 dB from one quarter degree to the next). The reflection
            // passes the edge by its transition instead, as in the shadow (groundRays): the
            // integral over all the antenna sees, times T(v) for the element's image in the
            // facet, in the share the transition holds (1 up to v = -1, none from v = -3,
            // where the cut integral is kept).
            if (!tangent && un > 0.0 && directClear && edges_.any() &&
                !stack_[owners_[ai]].facets[facet].on) {
                const Point image{a.x - 2.0 * view.height * f.normal.x,
                                  a.z - 2.0 * view.height * f.normal.z};
                double share = 0.0;
                Complex eased;
                if (easedPast(image, u, f.end.x, eased, share) && uncut > from) {
                    if (to >= uncut) {
                        integrate(facet, from, uncut, eased + (1.0 - share));
                    } else {
                        integrate(facet, from, uncut, eased);
                        if (share < 1.0 && to > from) integrate(facet, from, to, 1.0 - share);
                    }
                    return;
                }
            }
            if (!(to > from)) return;
            integrate(facet, from, to, 1.0);
        };
        for (int facet : visits_[ai])
            if (!run || facet >= runEnd_) visit(facet);
        for (int facet : dipping_[owners_[ai]]) visit(facet);
        // Physical optics is exact over a plane only as far as the antenna is many
        // wavelengths from it: near the tower, where the terrain keeps to the first facet's
        // plane, that plane's exact reflection (its image) stands in for its integral. Where
        // the direct ray is blocked, so is that reflection.
        const double un = firstUn;
        if (un > 0.0 && directClear) {
            const FacetView& view = planes_[ai].second;
            StationaryPoint st;
            const Complex gamma = firstGamma;
            const Point image{a.x - 2.0 * view.height * first.normal.x,
                              a.z - 2.0 * view.height * first.normal.z};
            const Complex exact = gamma * w * unitPhasor(k_ * dot(u, image));
            // Where the run was left out, the plane's integral beyond it alone.
            const double from =
                run ? dot(minus(vertices_[runEnd_], first.start), first.tangent) : 0.0;
            const Complex integral =
                run && planeShared_[ai]
                    ? Complex(0.0) // taken for the whole antenna above
                    : gamma * w *
                          facetIntegral(element, first, view, from, first.length, u, un,
                                        facetPoint(element, first, view, from, u, nullptr),
                                        facetPoint(element, first, view, first.length, u, nullptr),
                                        st);
            // The run's reflection eased past an edge that ends it.
            const Complex eased = run ? runEased_[owners_[ai]] : Complex(1.0);
            total += eased * (exact - integral);
            if (logging) {
                const Point p{first.start.x + st.s * first.tangent.x,
                              first.start.z + st.s * first.tangent.z};
                log->terms.push_back({owners_[ai], Contribution::Kind::Reflected, Terrain::base, p,
                                      std::asin(un), gamma, 2.0 * view.height * un, eased * exact});
                log->terms.push_back({owners_[ai], Contribution::Kind::Plane, -1, p, 0.0, 0.0, 0.0,
                                      -eased * integral});
            }
        }
    }
    return total;
}

} // namespace

std::vector<Complex> geometricFarField(const Terrain& terrain, const Installation& installation,
                                       const std::vector<double>& angles, LoggedAngle* log) {
    GeometricRays rays(terrain, installation);
    std::vector<Complex> field;
    runVectorLoops([&] {
        for (std::size_t i = 0; i < angles.size(); ++i)
            field.push_back(rays.field(angles[i], static_cast<int>(i), log));
    });
    return field;
}

} // namespace vexlo
