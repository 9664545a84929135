#pragma once
// What each matching network asks of the feed point, and the search that lengthens or
// shortens the driven element's tip until the feed point gives it.
//
// The hairpin is a shunt inductance across the feed point. It matches only when the
// feed point's parallel form has the cable's resistance, that is when the feed has the
// series reactance X = -sqrt(R (Z0 - R)) (capacitive, the element short of resonance)
// and R below Z0; the stub then cancels the parallel reactance that is left.
//
// The gamma's formulas transform any feed point they can: the rod steps the feed up by
// its ratio r, the shorted rod section and the series capacitor take out what is
// reactive. They hold when the stepped-up resistance r R is above Z0, the section comes
// out shorter than a quarter wave and a capacitor (not an inductor) is left to cancel;
// all of that holds for a resonant element (X = 0) with r R above Z0, which is what the
// driven element is adjusted to.
#include "matching.h"

#include "common/result.h"

#include <functional>
#include <optional>
#include <string>

namespace qelt {

// The feed reactance `network` needs at a feed resistance `r` on a `z0` cable, or
// nothing when no reactance will do (a hairpin with r at or above z0, or no network).
std::optional<double> NeededReactance(Network network, double r, double z0);

// The match dialog's lines on the feed point r + jx: what the network needs and how
// far the feed is from it; and what its design assumes, with the gamma's step-up `r`
// times R when the rods give one (0 when they do not).
struct NeedTexts {
    std::string need, assumes;
};
NeedTexts NeedTextsFor(Network network, double r, double x, double z0, double stepUp);

// The engine's feed point for a tip length (inches) at the frequency of the search, or
// the engine's report when it could not solve it.
struct TipFeed {
    double resistance = 0, reactance = 0;
    std::string trouble;
};
using FeedForTip = std::function<TipFeed(double tip)>;

struct TipFound {
    double tip = 0; // inches
    double resistance = 0, reactance = 0;
    int solves = 0; // feed points computed
};

// The tip between `lowest` and `highest` (inches) at which the feed has the reactance
// `network` needs within `tolerance` ohms, searched from `start` (a secant step, then
// false position once a sign change brackets it); or the message saying why none was
// found. At most 60 feed points are computed.
common::Result<TipFound> SearchTip(const FeedForTip& feed, Network network, double z0, double start,
                                   double lowest, double highest, double tolerance = 0.01);

} // namespace qelt
