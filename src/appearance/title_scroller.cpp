#include "title_scroller.h"

int TitleScroller::step(int left, int titleWidth, int panelWidth, bool autoScroll, int restingLeft)
{
    if (rest_ == 0 && titleWidth > panelWidth - 3 && autoScroll) {
        if (movingLeft_) {
            if (left + titleWidth + 5 > panelWidth)
                left -= 5;
            else
                movingLeft_ = false;
        } else if (left < 0) {
            left += 5;
        } else {
            movingLeft_ = true;
            rest_ = 15;
        }
    }
    if (rest_ > 0)
        --rest_;
    if (titleWidth <= panelWidth - 3)
        left = restingLeft;
    return left;
}
