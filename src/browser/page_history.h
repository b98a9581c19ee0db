#pragma once

// The browser's last ten pages and the place in them, as a web browser's
// back and forward buttons use them.

#include <QString>

#include <array>

namespace browser {

class PageHistory {
public:
    static constexpr int slotCount = 10;

    // A new page after the current one; later pages are forgotten. With all
    // slotCount used the oldest page makes room.
    void push(const QString &page);
    // One page back or forward; false when there is none.
    bool previous();
    bool next();
    // Empty while nothing was opened.
    QString current() const { return current_ > 0 ? pages_[current_ - 1] : QString(); }
    int slot() const { return current_; }

private:
    std::array<QString, slotCount> pages_;
    int current_ = 0;  // 1 ... 10, 0 before the first page
};

}  // namespace browser
