#include "browser/page_history.h"

#include <algorithm>

namespace browser {

void PageHistory::push(const QString &page)
{
    if (current_ == slotCount) {
        std::rotate(pages_.begin(), pages_.begin() + 1, pages_.end());
    } else {
        ++current_;
        std::fill(pages_.begin() + current_ - 1, pages_.end(), QString());
    }
    pages_[current_ - 1] = page;
}

bool PageHistory::previous()
{
    if (current_ <= 1)
        return false;
    --current_;
    return true;
}

bool PageHistory::next()
{
    if (current_ >= slotCount || pages_[current_].isEmpty())
        return false;
    ++current_;
    return true;
}

}  // namespace browser
