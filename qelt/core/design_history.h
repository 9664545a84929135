#pragma once
// The designs an antenna has been through since its file was opened: every accepted
// change of the working copy (the element editor, the band, the height, a match, the
// optimiser) is one step, and the steps can be undone back to the file as opened and
// redone again. Plain data, so whatever changes the design hands its result here.
//
//     DesignHistory history;
//     history.start(analyser.design());            // the file as opened
//     history.commit(edited, "Elements");          // false when nothing changed
//     if (history.canUndo()) restore(history.undo());
//     if (history.canRedo()) restore(history.redo());
#include "analysis.h"
#include "antenna.h"
#include "match_model.h"

#include <cstddef>
#include <string>
#include <vector>

namespace qelt {

// Everything an analysis of the antenna depends on, apart from how it is viewed.
struct Design {
    Antenna antenna;               // the working copy, its driven tip in place
    float drivenTip = 0;           // inches
    std::string freqLow, freqHigh; // the band as the frequency dialog's boxes hold it, MHz
    Band band;                     // the band the chart spans
    double heightFeet = 0;         // 0: free space
    std::string heightText = "0";  // as the height dialog's box holds it, in `heightUnits`
    Units heightUnits = Units::English;
    float cableZ0 = 50; // ohms
    MatchModel match;   // the match dialog and the network in force
};

// The same antenna under the same conditions: every dimension, the band, the height,
// the cable and the network in force (its type and parts) alike.
bool SameDesign(const Design& a, const Design& b);

class DesignHistory {
public:
    // Steps kept besides the file as opened; older ones are let go first.
    static constexpr std::size_t MostSteps = 500;

    // Starts again from `opened`: nothing to undo or redo.
    void start(Design opened);
    bool started() const { return !steps_.empty(); }

    // An accepted change: `design` is now in force, named by `what` ("Elements",
    // "Band", "Height", "Match", ...), and whatever had been undone is gone. A design
    // the same as the one in force adds no step (false).
    bool commit(Design design, std::string what);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < steps_.size(); }
    // One step back or forward; the design then in force. Only when canUndo() /
    // canRedo().
    const Design& undo();
    const Design& redo();

    // The design in force, and the one before the last change (none at the file as
    // opened).
    const Design& current() const { return steps_[position_].design; }
    const Design* previous() const {
        return position_ > 0 ? &steps_[position_ - 1].design : nullptr;
    }
    // What the next undo takes back and the next redo puts in force ("" when none).
    std::string undoName() const { return canUndo() ? steps_[position_].what : std::string(); }
    std::string redoName() const { return canRedo() ? steps_[position_ + 1].what : std::string(); }
    // The name of the step in force ("Open" at the file as opened).
    const std::string& currentName() const { return steps_[position_].what; }
    // Steps in the history, the file as opened included, and where the design in force is.
    std::size_t size() const { return steps_.size(); }
    std::size_t position() const { return position_; }

private:
    struct Step {
        Design design;
        std::string what;
    };
    std::vector<Step> steps_;
    std::size_t position_ = 0;
};

} // namespace qelt
