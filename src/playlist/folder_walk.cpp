#include "folder_walk.h"

#include <filesystem>
#include <system_error>

namespace folder_walk {

namespace {

namespace fs = std::filesystem;

bool isMpegName(const std::string &name)
{
    const std::size_t n = name.size();
    return n >= 3 && (name[n - 3] == 'm' || name[n - 3] == 'M') && (name[n - 2] == 'p' || name[n - 2] == 'P');
}

void walkLevel(const fs::path &folder, const QString &folderText, int depth,
               const std::function<void(const FoundFile &)> &found)
{
    std::error_code error;
    fs::directory_iterator listing(folder, fs::directory_options::skip_permission_denied, error);
    for (; !error && listing != fs::directory_iterator(); listing.increment(error)) {
        const fs::directory_entry &entry = *listing;
        const std::string name = entry.path().filename().string();
        if (name.empty() || name[0] == '.')
            continue;
        std::error_code kind;
        const bool link = entry.is_symlink(kind);
        if (entry.is_directory(kind)) {
            if (!link && depth < MaxDepth)
                walkLevel(entry.path(), folderText + QString::fromStdString(name) + '/', depth + 1, found);
            continue;
        }
        if (!isMpegName(name) || !entry.is_regular_file(kind))
            continue;
        std::error_code sizeError;
        const std::uintmax_t size = entry.file_size(sizeError);
        found({folderText, QString::fromStdString(name), sizeError ? 0 : static_cast<qint64>(size / 1024)});
    }
}

}  // namespace

void walk(const QString &folder, const std::function<void(const FoundFile &)> &found)
{
    QString start = folder;
    if (!start.endsWith('/'))
        start += '/';
    walkLevel(fs::path(start.toStdString()), start, 0, found);
}

}  // namespace folder_walk
