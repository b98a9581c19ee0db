#pragma once

// Scrolls a title wider than its panel: left in 5-pixel steps until its end
// shows, back right to its start, then a rest of 14 further steps.

class TitleScroller {
public:
    // One step; `left` is the title's place in its panel, `restingLeft`
    // where a title that fits stands. Returns the new place.
    int step(int left, int titleWidth, int panelWidth, bool autoScroll, int restingLeft);

private:
    bool movingLeft_ = true;
    int rest_ = 0;
};
