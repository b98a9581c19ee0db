#include "station_list.h"

#include "playlist_file.h"

namespace playlist_files {

namespace {

bool isStationAddress(const QString &name)
{
    return name.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) ||
           name.startsWith(QLatin1String("https://"), Qt::CaseInsensitive) ||
           name.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
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
