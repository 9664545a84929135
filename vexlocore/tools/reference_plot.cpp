// Draws the terrain engine against the full-wave reference for a horizontal dipole over one
// terrain profile, as an SVG picture for the documentation:
//   terrain-reference-plot PROFILE.PRO MHz HEIGHT_FT OUT.svg "title"
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "profile_file.h"
#include "reference/full_wave.h"
#include "vexlocore_abi.h"

namespace {

std::vector<vexlo_reference::ProfilePoint> readProfile(const char* path) {
    std::vector<vexlo_reference::ProfilePoint> profile;
    for (const auto& [d, e] : vexlo_test::readProfileFile(path)) profile.push_back({d, e});
    return profile;
}

std::array<float, VEXLO_GAINS> engineGains(const std::vector<vexlo_reference::ProfilePoint>& p,
                                           float mhz, float heightFeet) {
    std::array<float, VEXLO_PROFILE_POINTS> distance{}, elevation{};
    for (std::size_t i = 0; i < p.size() && i + 1 < distance.size(); ++i) {
        distance[i + 1] = static_cast<float>(p[i].x);
        elevation[i + 1] = static_cast<float>(p[i].z);
    }
    std::array<float, VEXLO_ANTENNAS> heights{heightFeet, 0, 0, 0};
    std::array<int16_t, VEXLO_ANTENNAS> phases{1, 1, 1, 1};
    float er = 13, sigma = 0.005f, logAngle = 5;
    int16_t type = 1, off = 0, log = 0;
    std::array<float, VEXLO_GAINS> gains;
    gains.fill(-30);
    VexloCore1(distance.data(), elevation.data(), heights.data(), &mhz, &er, &sigma, &type, &off,
               &log, &logAngle, gains.data(), phases.data());
    return gains;
}

std::string polyline(const std::vector<double>& angles, const std::vector<double>& gains, double x0,
                     double y0, double width, double height, double low, double high,
                     const char* colour, const char* dash) {
    std::ostringstream s;
    s << "<polyline fill=\"none\" stroke=\"" << colour << "\" stroke-width=\"2\"" << dash
      << " points=\"";
    for (std::size_t i = 0; i < angles.size(); ++i) {
        const double g = std::clamp(gains[i], low, high);
        s << x0 + width * angles[i] / 35.0 << ',' << y0 + height * (high - g) / (high - low) << ' ';
    }
    s << "\"/>\n";
    return s.str();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr,
                     "usage: terrain-reference-plot PROFILE.PRO MHz HEIGHT_FT OUT.svg TITLE\n");
        return 2;
    }
    const auto profile = readProfile(argv[1]);
    const double mhz = std::atof(argv[2]), height = std::atof(argv[3]);
    if (profile.size() < 2 || !(mhz > 0) || !(height > 0)) {
        std::fprintf(stderr, "terrain-reference-plot: no profile in %s, or a bad number\n",
                     argv[1]);
        return 1;
    }
    const auto gains = engineGains(profile, static_cast<float>(mhz), static_cast<float>(height));
    vexlo_reference::Problem problem;
    problem.profile = profile;
    problem.sources = {{height, 1.0}};
    problem.frequencyMHz = mhz;
    std::vector<double> angles, engine;
    for (int k = 0; k < VEXLO_GAINS; ++k) {
        angles.push_back((k + 1) / 4.0);
        engine.push_back(gains[k]);
    }
    const auto solution = vexlo_reference::solve(problem, angles);
    std::vector<double> reference;
    for (const auto& f : solution.factor) reference.push_back(vexlo_reference::dipoleGainDbi(f));

    // The comparison the tests make: 1 to 35 degrees where the reference is within 15 dB of
    // its peak.
    const double peak = *std::max_element(reference.begin() + 3, reference.end());
    double sum = 0, worst = 0, worstAt = 0;
    int n = 0;
    for (std::size_t i = 3; i < angles.size(); ++i) {
        if (reference[i] < peak - 15) continue;
        const double d = engine[i] - reference[i];
        sum += d * d, ++n;
        if (std::fabs(d) > std::fabs(worst)) worst = d, worstAt = angles[i];
    }
    const double rms = std::sqrt(sum / std::max(n, 1));

    const double x0 = 60, y0 = 40, width = 620, height_ = 300, low = -30, high = 10;
    std::ofstream svg(argv[4]);
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"720\" height=\"420\" "
           "font-family=\"sans-serif\" font-size=\"13\">\n"
        << "<rect width=\"720\" height=\"420\" fill=\"white\"/>\n"
        << "<text x=\"360\" y=\"24\" text-anchor=\"middle\" font-size=\"15\">" << argv[5]
        << "</text>\n";
    for (int a = 0; a <= 35; a += 5) {
        const double x = x0 + width * a / 35.0;
        svg << "<line x1=\"" << x << "\" y1=\"" << y0 << "\" x2=\"" << x << "\" y2=\""
            << y0 + height_ << "\" stroke=\"#ddd\"/>\n<text x=\"" << x << "\" y=\""
            << y0 + height_ + 18 << "\" text-anchor=\"middle\">" << a << "</text>\n";
    }
    for (int g = static_cast<int>(low); g <= high; g += 5) {
        const double y = y0 + height_ * (high - g) / (high - low);
        svg << "<line x1=\"" << x0 << "\" y1=\"" << y << "\" x2=\"" << x0 + width << "\" y2=\"" << y
            << "\" stroke=\"#ddd\"/>\n<text x=\"" << x0 - 8 << "\" y=\"" << y + 4
            << "\" text-anchor=\"end\">" << g << "</text>\n";
    }
    svg << "<text x=\"" << x0 + width / 2 << "\" y=\"" << y0 + height_ + 38
        << "\" text-anchor=\"middle\">elevation angle, degrees</text>\n"
        << "<text x=\"16\" y=\"" << y0 + height_ / 2
        << "\" text-anchor=\"middle\" transform=\"rotate(-90 16 " << y0 + height_ / 2
        << ")\">gain, dBi</text>\n"
        << polyline(angles, reference, x0, y0, width, height_, low, high, "#1f5fbf", "")
        << polyline(angles, engine, x0, y0, width, height_, low, high, "#d0461a",
                    " stroke-dasharray=\"6 4\"");
    char caption[200];
    std::snprintf(caption, sizeof caption, "%.2f dB rms, worst %+.2f dB at %.2f degrees", rms,
                  worst, worstAt);
    svg << "<line x1=\"" << x0 + 10 << "\" y1=\"" << y0 + 14 << "\" x2=\"" << x0 + 40 << "\" y2=\""
        << y0 + 14 << "\" stroke=\"#1f5fbf\" stroke-width=\"2\"/><text x=\"" << x0 + 46 << "\" y=\""
        << y0 + 18 << "\">full-wave reference</text>\n"
        << "<line x1=\"" << x0 + 10 << "\" y1=\"" << y0 + 32 << "\" x2=\"" << x0 + 40 << "\" y2=\""
        << y0 + 32
        << "\" stroke=\"#d0461a\" stroke-width=\"2\" stroke-dasharray=\"6 4\"/><text x=\""
        << x0 + 46 << "\" y=\"" << y0 + 36 << "\">terrain engine</text>\n"
        << "<text x=\"360\" y=\"396\" text-anchor=\"middle\" font-size=\"12\">Engine against "
           "reference from 1 to 35 degrees where the reference is within 15 dB of its "
           "peak:</text>\n"
        << "<text x=\"360\" y=\"412\" text-anchor=\"middle\" font-size=\"12\">" << caption
        << "</text>\n</svg>\n";
    std::printf("%s: %.2f dB rms, worst %+.2f dB at %.2f degrees (%d angles)\n", argv[1], rms,
                worst, worstAt, n);
    return 0;
}
