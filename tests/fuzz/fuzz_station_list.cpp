// A station list as it comes from the network: the engine tells it from
// audio by its type and its first bytes, and cuts it to 64 KB; the playlist's
// reader takes its stations. The first byte picks the answer's Content-Type,
// the rest is its body.

#include "station_list_answer.h"

#include "fuzz_input.h"
#include "playlist/station_list.h"

#include <array>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const std::array<const char *, 8> types{"audio/x-scpls",
                                                   "audio/x-mpegurl; charset=utf-8",
                                                   "application/vnd.apple.mpegurl",
                                                   "text/plain",
                                                   "",
                                                   "audio/mpeg",
                                                   "application/octet-stream",
                                                   "text/html"};
    const std::string type = types[data[0] % types.size()];
    const std::string body(reinterpret_cast<const char *>(data + 1), size - 1);

    // A kind told from the first bytes is the kind of the whole answer.
    const sonark::AnswerKind kind = sonark::answerKind(type, body, true);
    fuzz::require(kind != sonark::AnswerKind::Undecided);
    for (std::size_t part = 0; part < body.size(); part += 1 + part / 3) {
        const sonark::AnswerKind early = sonark::answerKind(type, std::string_view(body).substr(0, part), false);
        fuzz::require(early == sonark::AnswerKind::Undecided || early == kind);
    }
    if (kind != sonark::AnswerKind::StationList)
        return 0;

    const std::string text = sonark::stationListText(body);
    fuzz::require(text.size() <= sonark::kStationListBytes && body.compare(0, text.size(), text) == 0);
    const playlist_files::StationList list = playlist_files::readStationList(QString::fromUtf8(text));
    fuzz::require(list.addresses.size() <= playlist_files::maxStationListEntries);
    for (const QString &address : list.addresses) {
        const QString start = address.left(8).toLower();
        fuzz::require(start.startsWith("http://") || start.startsWith("https://") || start.startsWith("www."));
        fuzz::require(!address.contains('\n') && !address.contains('\r'));
    }
    return 0;
}
