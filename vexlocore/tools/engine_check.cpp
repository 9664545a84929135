// The terrain engine checked broadly, run by hand (see docs/terrain-engine.md):
//   terrain-engine-check table [off] [NAME...]
//                                            every case of the accuracy table against the
//                                            full-wave reference (those whose name holds one
//                                            of the words, when given); "off" first runs the
//                                            engine with diffraction off
//   terrain-engine-check case PROFILE MHZ HEIGHT_FT [salt] [off]
//                                            one case, angle by angle; PROFILE is a file or
//                                            "d e / d e / ..." in feet
//   terrain-engine-check scan                heights 1 ft apart and frequencies 10 kHz apart:
//                                            the steps that break the trend
//   terrain-engine-check fuzz [COUNT [MHZ_LOW MHZ_HIGH]]
//                                            random steps, dips, walls and troughs on every
//                                            ground and antenna: the highest gain against
//                                            what physics allows, and the slowest calls
// The reference takes seconds to minutes a case; with VEXLO_REFERENCE_CACHE naming a folder
// its answers are kept there and read back when the same case comes again (and with
// VEXLO_REFERENCE_CACHED_ONLY set too, the table leaves out the cases it does not hold yet).
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include <fstream>

#include "accuracy_cases.h"
#include "engine_runs.h"
#include "random_terrain.h"
#include "scans.h"

using namespace vexlo_test;

namespace {

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

Profile parseProfile(const std::string& text) {
    if (std::ifstream(text)) return readProfileFile(text);
    Profile p;
    std::istringstream in(text);
    std::string piece;
    while (std::getline(in, piece, '/')) {
        std::istringstream fields(piece);
        double d, e;
        if (fields >> d >> e) p.push_back({d, e});
    }
    return p;
}

// The reference's answer for the case, from the cache folder when it holds it.
ReferenceGains cachedReference(const AccuracyCase& c) {
    const char* folder = std::getenv("VEXLO_REFERENCE_CACHE");
    std::ostringstream key;
    key.precision(17);
    key << c.mhz << ' ' << c.heightFeet << ' ' << c.ground.dielectric << ' '
        << c.ground.conductivity;
    for (const auto& [d, e] : c.profile) key << ' ' << d << ' ' << e;
    const std::string path =
        folder ? std::string(folder) + "/" + std::to_string(std::hash<std::string>{}(key.str()))
               : std::string();
    ReferenceGains r;
    if (folder) {
        std::ifstream in(path);
        std::string stored;
        if (std::getline(in, stored) && stored == key.str() && in >> r.unknowns >> r.residual) {
            double a, g;
            while (in >> a >> g) r.angles.push_back(a), r.gains.push_back(g);
            if (!r.angles.empty()) return r;
        }
    }
    // VEXLO_REFERENCE_CACHED_ONLY: the cases the folder does not hold yet are left out.
    if (folder && std::getenv("VEXLO_REFERENCE_CACHED_ONLY")) return r;
    r = referenceGains(c, firstComparedIndex);
    if (folder) {
        std::ofstream out(path);
        out.precision(17);
        out << key.str() << '\n' << r.unknowns << ' ' << r.residual << '\n';
        for (std::size_t i = 0; i < r.angles.size(); ++i)
            out << r.angles[i] << ' ' << r.gains[i] << '\n';
    }
    return r;
}

struct Compared {
    Agreement agreement;
    std::vector<double> angles, engine, reference;
    int unknowns = 0;
    double residual = 0.0, referenceSeconds = 0.0;
};

Compared compare(const AccuracyCase& c, bool diffractionOff = false) {
    Compared out;
    EngineArguments call = dipoleCall(c);
    call.diffractionOff = diffractionOff ? 1 : 0;
    const Gains gains = runEngine(VexloCore1, call);
    const auto start = std::chrono::steady_clock::now();
    const ReferenceGains reference = cachedReference(c);
    out.referenceSeconds = seconds(start);
    out.unknowns = reference.unknowns;
    out.residual = reference.residual;
    out.angles = reference.angles;
    out.reference = reference.gains;
    if (out.angles.empty()) return out;
    for (std::size_t i = 0; i < out.angles.size(); ++i)
        out.engine.push_back(gains[firstComparedIndex + i]);
    out.agreement = agreement(out.angles, out.engine, out.reference);
    return out;
}

int table(std::vector<std::string> words) {
    const bool off = !words.empty() && words.front() == "off";
    if (off) words.erase(words.begin());
    std::printf("| Profile | ground | MHz | height ft | rms dB | worst dB (at deg) | "
                "unknowns | s |\n|---|---|---|---|---|---|---|---|\n");
    double worstRms = 0.0, worstAbs = 0.0;
    for (const AccuracyCase& c : accuracyCases()) {
        if (!words.empty() && std::none_of(words.begin(), words.end(), [&](const std::string& w) {
                return c.name.find(w) != std::string::npos;
            }))
            continue;
        const Compared r = compare(c, off);
        if (r.angles.empty()) continue;
        const Agreement& a = r.agreement;
        std::printf("| %s | %s | %.1f | %.0f | %.2f | %+.2f (%.2f) | %d%s | %.0f |\n",
                    c.name.c_str(), c.ground.name, c.mhz, c.heightFeet, a.rms, a.worst,
                    a.worstAngle, r.unknowns, r.residual > 1e-3 ? " (did not converge)" : "",
                    r.referenceSeconds);
        std::fflush(stdout);
        worstRms = std::max(worstRms, a.rms);
        worstAbs = std::max(worstAbs, std::fabs(a.worst));
    }
    std::printf("\nlargest rms %.2f dB, largest error %.2f dB\n", worstRms, worstAbs);
    return 0;
}

int oneCase(int argc, char** argv) {
    if (argc < 5) return 2;
    AccuracyCase c{argv[2], parseProfile(argv[2]), std::atof(argv[3]), std::atof(argv[4]),
                   averageSoil};
    bool off = false;
    for (int i = 5; i < argc; ++i) {
        if (!std::strcmp(argv[i], "salt")) c.ground = saltWater;
        if (!std::strcmp(argv[i], "off")) off = true;
    }
    if (c.profile.empty()) {
        std::fprintf(stderr, "terrain-engine-check: no profile in %s\n", argv[2]);
        return 1;
    }
    const Compared r = compare(c, off);
    std::printf("angle engine reference difference\n");
    for (std::size_t i = 0; i < r.angles.size(); ++i)
        std::printf("%5.2f %8.3f %8.3f %+7.3f\n", r.angles[i], r.engine[i], r.reference[i],
                    r.engine[i] - r.reference[i]);
    std::printf("%.2f dB rms, worst %+.2f dB at %.2f degrees (%d angles; reference %d "
                "unknowns, residual %.1e)\n",
                r.agreement.rms, r.agreement.worst, r.agreement.worstAngle, r.agreement.compared,
                r.unknowns, r.residual);
    return 0;
}

int scanAll() {
    // The cliffs, and every sample profile.
    std::vector<NamedProfile> terrains{{"cliff 100 ft at 500 ft", cliff(100.0, 500.0)},
                                       {"cliff 200 ft at 800 ft", cliff(200.0, 800.0)},
                                       {"cliff 500 ft at 60 ft", cliff(500.0, 60.0)},
                                       {"cliff 50 ft at 200 ft", cliff(50.0, 200.0)}};
    for (const NamedProfile& t : tableTerrains())
        if (t.name.find(".PRO") != std::string::npos) terrains.push_back(t);
    terrains.push_back({"EDGES.PRO", sampleFile("EDGES.PRO")});
    std::printf("| Profile | scan | largest irregular step dB (where, angle) | steps above "
                "0.5 dB | above 1 dB |\n|---|---|---|---|---|\n");
    int casesAbove = 0, cases = 0;
    const auto report = [&](const std::string& name, const std::string& what,
                            const Irregularity& r) {
        std::printf("| %s | %s | %.2f (%.2f, %.2f deg) | %d | %d |\n", name.c_str(), what.c_str(),
                    r.largest, r.at, r.angle, r.above, r.aboveOne);
        std::fflush(stdout);
        ++cases;
        if (r.above) ++casesAbove;
    };
    for (const NamedProfile& t : terrains) {
        for (double mhz : {7.1, 14.2, 28.4}) {
            const auto at = [&](double height) { return dipoleArguments(t.profile, mhz, height); };
            char what[80];
            std::snprintf(what, sizeof what, "%.1f MHz, 20-400 ft", mhz);
            report(t.name, what, scan(VexloCore1, steps(20.0, 400.0, 1.0), at));
        }
        for (auto [low, high, height] :
             {std::array<double, 3>{7.0, 7.3, 100.0}, std::array<double, 3>{14.0, 14.35, 70.0},
              std::array<double, 3>{14.0, 14.35, 308.0}, std::array<double, 3>{28.0, 29.7, 50.0}}) {
            const auto at = [&](double mhz) { return dipoleArguments(t.profile, mhz, height); };
            char what[80];
            std::snprintf(what, sizeof what, "%.2f-%.2f MHz, %.0f ft", low, high, height);
            report(t.name, what, scan(VexloCore1, steps(low, high, 0.01), at));
        }
    }
    std::printf("\n%d of %d scans have a step above 0.5 dB\n", casesAbove, cases);
    return 0;
}

int fuzz(int count, double lowMhz, double highMhz) {
    RandomCalls random(20240619u);
    double worstExcess = -1e9, slowest = 0.0, total = 0.0;
    int above = 0, slow = 0;
    for (int i = 0; i < count; ++i) {
        EngineArguments a = random.call(lowMhz, highMhz);
        a.diffractionOff = random.uniform(0.0, 1.0) < 0.25 ? 1 : 0;
        const auto start = std::chrono::steady_clock::now();
        const Gains g = runEngine(VexloCore1, a);
        const double t = seconds(start);
        total += t;
        const double excess = *std::max_element(g.begin(), g.end()) - gainBoundDbi(a);
        const bool bad = excess > 0.0 ||
                         !std::all_of(g.begin(), g.end(), [](float v) { return std::isfinite(v); });
        if (bad) ++above;
        if (t > 1.0) ++slow;
        if (bad || t > 1.0 || excess > worstExcess || t > slowest) {
            if (bad || t > 1.0) {
                std::printf("call %d: %.1f dB over the bound, %.3f s, %.2f MHz, type %d, ground "
                            "%g/%g, heights %g %g %g %g, off %d, profile",
                            i, excess, t, a.frequency, a.type, a.dielectric, a.conductivity,
                            a.heights[0], a.heights[1], a.heights[2], a.heights[3],
                            a.diffractionOff);
                for (const auto& [d, e] : a.profile) std::printf(" %g %g /", d, e);
                std::printf("\n");
            }
            worstExcess = std::max(worstExcess, excess);
            slowest = std::max(slowest, t);
        }
    }
    std::printf("%d calls: %d above the bound (largest excess %+.2f dB), %d over 1 s; slowest "
                "%.3f s, mean %.4f s\n",
                count, above, worstExcess, slow, slowest, total / count);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "table") return table(std::vector<std::string>(argv + 2, argv + argc));
    if (command == "case" && argc >= 5) return oneCase(argc, argv);
    if (command == "scan") return scanAll();
    if (command == "fuzz")
        return fuzz(argc > 2 ? std::atoi(argv[2]) : 2000, argc > 3 ? std::atof(argv[3]) : 1.8,
                    argc > 4 ? std::atof(argv[4]) : 300.0);
    std::fprintf(stderr, "usage: terrain-engine-check table [off] [NAME...] | case PROFILE MHZ "
                         "HEIGHT_FT [salt] [off] | scan | fuzz [COUNT]\n");
    return 2;
}
