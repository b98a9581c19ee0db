#include "recent_files.h"

#include <algorithm>

void addRecentFile(RecentFiles &files, const QString &path)
{
    std::move_backward(files.begin(), files.end() - 1, files.end());
    files[0] = path;
}
