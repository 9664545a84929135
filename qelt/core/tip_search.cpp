#include "tip_search.h"

#include "common/number_text.h"

#include <algorithm>
#include <cmath>

namespace qelt {
namespace {

using common::Format;

constexpr int MostSolves = 60;

std::string ohms(double x) { return Format(x, "###0.0") + " ohms"; }

// How far x is from what is needed: "23.5 ohms above it", "on it".
std::string distance(double x, double needed) {
    const double off = x - needed;
    if (std::fabs(off) < 0.05) return "the feed has it";
    return "the feed is " + ohms(std::fabs(off)) + (off > 0 ? " above it" : " below it");
}

struct Refused {
    std::string message;
};

} // namespace

std::optional<double> NeededReactance(Network network, double r, double z0) {
    switch (network) {
    case Network::Hairpin:
        if (!(r > 0) || !(r < z0)) return std::nullopt;
        return -std::sqrt(r * (z0 - r));
    case Network::Gamma:
        return 0.0;
    case Network::None:
        break;
    }
    return std::nullopt;
}

NeedTexts NeedTextsFor(Network network, double r, double x, double z0, double stepUp) {
    NeedTexts t;
    if (network == Network::Hairpin) {
        t.assumes = "Assumes R below Z0, the element short of resonance: X = -sqrt(R (Z0 - R))";
        if (const std::optional<double> needed = NeededReactance(network, r, z0))
            t.need = "Needs X = " + Format(*needed, "###0.0") + " ohms: " + distance(x, *needed);
        else
            t.need = "Needs R below Z0 = " + ohms(z0) + ": the feed has R = " + ohms(r);
    } else if (network == Network::Gamma) {
        t.need = "Needs X = 0.0 ohms, a resonant element: " + distance(x, 0);
        t.assumes = "Assumes step-up x R above Z0";
        if (stepUp > 0)
            t.assumes += ": " + Format(stepUp, "#0.00") + " x " + Format(r, "###0.0") + " = " +
                         ohms(stepUp * r) + (stepUp * r > z0 ? " above " : " not above ") +
                         ohms(z0);
    }
    return t;
}

common::Result<TipFound> SearchTip(const FeedForTip& feed, Network network, double z0, double start,
                                   double lowest, double highest, double tolerance) {
    using Failure = common::Result<TipFound>;
    TipFound best;
    double bestMiss = INFINITY;
    // The feed's reactance less the one needed, at tip t; the best tip so far is kept.
    auto miss = [&](double t) -> double {
        const TipFeed f = feed(t);
        ++best.solves;
        if (!f.trouble.empty()) throw Refused{f.trouble};
        const std::optional<double> needed = NeededReactance(network, f.resistance, z0);
        if (!needed)
            throw Refused{network == Network::Hairpin
                              ? "Hairpin match won't work: the feed resistance " +
                                    ohms(f.resistance) + " is not below the cable's " + ohms(z0)
                              : "Choose the gamma or hairpin network first."};
        const double m = f.reactance - *needed;
        if (!std::isfinite(m)) throw Refused{"The engine gave no feed point for that tip."};
        if (std::fabs(m) < bestMiss) {
            bestMiss = std::fabs(m);
            best.tip = t;
            best.resistance = f.resistance;
            best.reactance = f.reactance;
        }
        return m;
    };
    const std::string outOfReach =
        "No driven-element tip the element can take gives the feed the reactance the network "
        "needs";
    try {
        if (!(lowest > 0) || !(highest > lowest)) return Failure::Failure(outOfReach + ".");
        double a = std::clamp(start, lowest, highest);
        double fa = miss(a);
        if (std::fabs(fa) <= tolerance) return best;
        // A longer element is more inductive: step the way that brings X down or up.
        const double first = (highest - lowest) / 100;
        double b = std::clamp(a - std::copysign(first, fa), lowest, highest);
        if (b == a) b = std::clamp(a + std::copysign(first, fa), lowest, highest);
        double fb = miss(b);
        // Secant steps, each at most four times the last, until a sign change brackets it.
        while ((fa > 0) == (fb > 0)) {
            if (std::fabs(fb) <= tolerance) return best;
            if (best.solves >= MostSolves) return Failure::Failure(outOfReach + ".");
            const double last = b - a;
            const double slope = (fb - fa) / last;
            double step = slope != 0 && std::isfinite(slope) ? -fb / slope : last;
            if (std::fabs(step) > 4 * std::fabs(last))
                step = std::copysign(4 * std::fabs(last), step);
            const double next = std::clamp(b + step, lowest, highest);
            if (next == b)
                return Failure::Failure(outOfReach + ": at the limit it is still " +
                                        ohms(std::fabs(fb)) + " away.");
            a = b;
            fa = fb;
            b = next;
            fb = miss(b);
        }
        // False position with the Illinois halving, within the bracket [a, b].
        while (best.solves < MostSolves) {
            const double c = b - fb * (b - a) / (fb - fa);
            const double fc = miss(c);
            if (std::fabs(fc) <= tolerance) return best;
            if ((fc > 0) != (fb > 0)) {
                a = b;
                fa = fb;
            } else {
                fa /= 2;
            }
            b = c;
            fb = fc;
            if (std::fabs(b - a) < 1e-6) break;
        }
        // A reactance that jumps across what is needed, or a search cut short.
        if (bestMiss <= std::max(tolerance, 0.5)) return best;
        return Failure::Failure(outOfReach + ": the nearest leaves it " + ohms(bestMiss) +
                                " away.");
    } catch (const Refused& refused) {
        return Failure::Failure(refused.message);
    }
}

} // namespace qelt
