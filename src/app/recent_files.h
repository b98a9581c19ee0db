#pragma once

// The ten files last chosen in the open dialog, newest first. The same file
// may stand in several places; nothing is merged.

#include <QString>

#include <array>

using RecentFiles = std::array<QString, 10>;

void addRecentFile(RecentFiles &files, const QString &path);
