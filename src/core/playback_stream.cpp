// The playback controller's share of internet radio: the titles a station
// sends, the wait while a broken stream is tried again, the reason a stream
// could not start, and station lists that take the place of their address.

#include "playback_controller.h"

#include "playlist/station_list.h"

namespace {

const QString zeroTime = QStringLiteral("0:00");

// A station's title is one line of plain text.
QString oneLine(const QString &text)
{
    QString line;
    line.reserve(text.size());
    for (const QChar c : text)
        line += c.category() == QChar::Other_Control ? QChar(' ') : c;
    return line.simplified();
}

}  // namespace

void PlaybackController::connectStreamNotifications()
{
    applyStreamTexts(Messages());
    connect(&player_, &TSonarkPlayer::OnNotifyProgress, this,
            [this](TSonarkPlayer *, uint8_t source, uint8_t code, int16_t, const QString &text) {
                PlayerNotifyProgress(source, code, text);
            });
    connect(&player_, &TSonarkPlayer::OnNotifyError, this,
            [this](TSonarkPlayer *, uint8_t source, int16_t, const QString &text) { PlayerNotifyError(source, text); });
    // Music flows again after a break: the title comes back.
    connect(&player_, &TSonarkPlayer::OnNotifyInputStreamInfo, this, [this] {
        stationListDepth_ = 0;
        if (reconnecting_ && opensInFlight_ == 0) {
            reconnecting_ = false;
            updateTitle();
        }
    });
}

void PlaybackController::applyStreamTexts(const Messages &messages)
{
    reconnectingWord_ = messages.text("Stream_Reconnecting");
    noStationsText_ = messages.text("Stream_NoStations");
    segmentedText_ = messages.text("Stream_Segmented");
    nestedListsText_ = messages.text("Stream_NestedLists");
}

void PlaybackController::PlayerNotifyProgress(uint8_t source, uint8_t code, const QString &text)
{
    if (source != SK_SOURCE_INPUT || opensInFlight_ > 0 || cdMode())
        return;
    switch (code) {
    case SK_PROGRESS_STREAM_TITLE:
        streamTitle_ = oneLine(text);
        if (!reconnecting_)
            updateTitle();
        emit streamTitleChanged();
        break;
    case SK_PROGRESS_RECONNECTING:
        reconnecting_ = true;
        view_.showTitle(reconnectingWord_);
        view_.showScrollingTitle(reconnectingWord_ + ' ' + oneLine(text));
        break;
    case SK_PROGRESS_STATION_LIST:
        takeStationList(text);
        break;
    default:
        break;
    }
}

// Why a stream did not start or gave up, where its title would be.
void PlaybackController::PlayerNotifyError(uint8_t source, const QString &text)
{
    if (source != SK_SOURCE_INPUT || opensInFlight_ > 0 || !songLoaded_ || !PlaylistModel::isNetworkEntry(currentFile_))
        return;
    showStreamMessage(oneLine(text));
}

void PlaybackController::showStreamMessage(const QString &text)
{
    if (cdMode())
        return;
    reconnecting_ = false;
    titleText_ = text;
    durationText_ = QStringLiteral("(0:00)");
    view_.showTitle(text);
    view_.showScrollingTitle(text);
    view_.showTime(zeroTime);
    view_.showDuration(durationText_);
    view_.showPosition(0);
}

// The list's stations take the place of its entry, and the first plays.
void PlaybackController::takeStationList(const QString &text)
{
    const int index = songEntry();
    if (index < 0)
        return;
    if (++stationListDepth_ > playlist_files::maxStationListDepth) {
        showStreamMessage(nestedListsText_);
        return;
    }
    const playlist_files::StationList list = playlist_files::readStationList(text);
    if (list.addresses.isEmpty()) {
        showStreamMessage(list.segmented ? segmentedText_ : noStationsText_);
        return;
    }
    playlist_.replaceWithNetworkEntries(index, list.addresses);
    playlist_.renumberEntries();
    openingFromStationList_ = true;
    playEntry(index);
    openingFromStationList_ = false;
}
