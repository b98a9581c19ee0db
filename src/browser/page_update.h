#pragma once

// Updating the browser's pages from the update server: its list names a
// version and the files of that version. The files are fetched into a
// private folder first; only when every one arrived complete do they
// replace the old ones, and the list last, so a failure or a cancel keeps
// the old pages and the old list, and the next update tries again.

#include "net/http_client.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace browser {

inline constexpr qint64 maxListBytes = 64 * 1024;
inline constexpr int maxListFiles = 500;
inline constexpr qint64 maxFileBytes = 8 * 1024 * 1024;

struct UpdateList {
    int version = 0;
    QStringList files;
};

// Version, count and that many plain page names (never the list's own
// names); nothing for anything else.
std::optional<UpdateList> parseUpdateList(const QByteArray &bytes);

// The version of the list in the first of `folders` (each ending with "/")
// that holds one, 0 without one.
int localVersion(const QStringList &folders);

// The folder address the list and pages are fetched from: the environment
// variable LUDRO_BROWSER_URL, else the one the program was built with;
// empty when there is none.
QString updateAddress();

enum class UpdateResult { Updated, UpToDate, Failed, Cancelled };

class PageUpdate {
public:
    // The files go to the first of `folders`, which is made when missing.
    PageUpdate(net::THttpCli &client, QStringList folders, QString address);

    // 0 ... 100 as the files arrive.
    std::function<void(int percent)> OnProgress;
    // Asked before each file; true ends the update.
    std::function<bool()> Cancelled;

    UpdateResult run();

private:
    bool fetch(const QString &name, const QString &path, qint64 limit);
    bool cancelled() const { return Cancelled && Cancelled(); }

    net::THttpCli &client_;
    QStringList folders_;
    QString address_;
};

}  // namespace browser
