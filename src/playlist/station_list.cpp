#include "station_list.h"

#include "playlist_file.h"

#include <algorithm>

namespace playlist_files {

namespace {

// An address is one line of printable text.
bool isStationAddress(const QString &name)
{
    const bool addressed = name.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
                           name.startsWith(QLatin1String("https://"), Qt::CaseInsensitive) ||
                           name.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
    return addressed &&
           std::none_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7f; });
}

}  // namespace

StationList readStationList(const QString &text)
{
    StationList list;
    if (text.contains(QLatin1String("#EXT-X-TARGETDURATION"), Qt::CaseInsensitive) ||
        text.contains(QLatin1String("#EXT-X-STREAM-INF"), Qt::CaseInsensitive)) {
        list.segmented = true;
        return list;
    }
    for (const QString &name : namesInList(text, true)) {
        const QString address = name.trimmed();
        if (!isStationAddress(address))
            continue;
        list.addresses << address;
        if (list.addresses.size() == maxStationListEntries)
            break;
    }
    return list;
}

}  // namespace playlist_files
