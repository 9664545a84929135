#include "design_history.h"

#include "common/number_text.h"

namespace qelt {

bool SameDesign(const Design& a, const Design& b) {
    // The network by the lines that describe it: its type, its rods and its parts.
    return a.antenna == b.antenna && a.drivenTip == b.drivenTip &&
           common::ParseNumber(a.freqLow) == common::ParseNumber(b.freqLow) &&
           common::ParseNumber(a.freqHigh) == common::ParseNumber(b.freqHigh) &&
           a.heightFeet == b.heightFeet && a.cableZ0 == b.cableZ0 &&
           a.match.network() == b.match.network() &&
           a.match.networkLines(Units::English) == b.match.networkLines(Units::English);
}

void DesignHistory::start(Design opened) {
    steps_.clear();
    steps_.push_back({std::move(opened), "Open"});
    position_ = 0;
}

bool DesignHistory::commit(Design design, std::string what) {
    if (steps_.empty()) {
        start(std::move(design));
        return true;
    }
    if (SameDesign(design, current())) return false;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(position_) + 1, steps_.end());
    steps_.push_back({std::move(design), std::move(what)});
    // The file as opened stays the first step however long the history grows.
    if (steps_.size() > MostSteps + 1) steps_.erase(steps_.begin() + 1);
    position_ = steps_.size() - 1;
    return true;
}

const Design& DesignHistory::undo() {
    if (canUndo()) --position_;
    return current();
}

const Design& DesignHistory::redo() {
    if (canRedo()) ++position_;
    return current();
}

} // namespace qelt
