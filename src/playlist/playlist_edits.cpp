#include "playlist_edits.h"

namespace playlist_edits {

namespace {

const QString GroupSeparator = QStringLiteral("  :  /");

// The "Time" column's minutes and seconds; 0 while unknown ("...").
qint64 entrySeconds(const PlaylistEntry &entry)
{
    const QString &time = entry[PlaylistEntry::Time];
    const qsizetype colon = time.indexOf(':');
    return colon < 0 ? 0 : time.left(colon).toLongLong() * 60 + time.mid(colon + 1).toLongLong();
}

}  // namespace

void deleteEntries(PlaylistModel &playlist, const std::vector<char> &selected, bool keepSelected)
{
    const int count = playlist.entryCount();
    int current = playlist.currentIndex();
    std::vector<char> removed(static_cast<std::size_t>(count), 0);
    for (int i = count - 1; i >= 0; --i) {
        const bool isSelected = static_cast<std::size_t>(i) < selected.size() && selected[static_cast<std::size_t>(i)];
        if (isSelected == keepSelected)
            continue;
        removed[static_cast<std::size_t>(i)] = 1;
        if (i + 1 <= current && current > 0)
            --current;
    }
    playlist.removeEntries(removed);
    playlist.renumberEntries();
    playlist.setCurrentIndex(current >= playlist.entryCount() ? 0 : current);
}

void deleteAll(PlaylistModel &playlist)
{
    playlist.setCurrentIndex(0);
    playlist.clearEntries();
}

void reverse(PlaylistModel &playlist)
{
    const int count = playlist.entryCount();
    if (count < 2)
        return;
    playlist.reverseEntries();
    if (const int current = playlist.currentIndex(); current >= 0 && current < count)
        playlist.setCurrentIndex(count - 1 - current);
    playlist.renumberEntries();
}

void randomize(PlaylistModel &playlist, std::mt19937 &random)
{
    const int count = playlist.entryCount();
    if (count < 2)
        return;
    std::uniform_int_distribution<int> pick(0, count - 1);
    for (int i = 0; i < count; ++i)
        playlist.swapEntries(i, pick(random));
    playlist.renumberEntries();
}

void sort(PlaylistModel &playlist)
{
    playlist.sortEntries();
    playlist.renumberEntries();
}

int moveUp(PlaylistModel &playlist, int index)
{
    if (playlist.entryCount() < 3 || index < 1 || index >= playlist.entryCount())
        return -1;
    playlist.swapEntries(index, index - 1);
    playlist.renumberEntries();
    return index - 1;
}

int moveDown(PlaylistModel &playlist, int index)
{
    if (playlist.entryCount() < 3 || index < 0 || index + 1 >= playlist.entryCount())
        return -1;
    playlist.swapEntries(index, index + 1);
    playlist.renumberEntries();
    return index + 1;
}

void applyMusicGroup(PlaylistModel &playlist)
{
    for (int i = 0; i < playlist.entryCount(); ++i) {
        const PlaylistEntry &entry = playlist.entries()[static_cast<std::size_t>(i)];
        const QString &path = entry[PlaylistEntry::Path];
        const QString &title = entry[PlaylistEntry::Title];
        if (path.isEmpty())
            continue;
        if (!playlist.musicGroup) {
            playlist.setColumn(i, PlaylistEntry::Title, title.section('/', -1));
            continue;
        }
        if (title.contains('/'))
            continue;
        const QString group = path.chopped(1).section('/', -1);
        if (!group.isEmpty())
            playlist.setColumn(i, PlaylistEntry::Title, group.toUpper() + GroupSeparator + title);
    }
    playlist.renumberEntries();
}

int quickSearch(const PlaylistModel &playlist, const QString &text)
{
    if (text.isEmpty())
        return -1;
    for (int i = 0; i < playlist.entryCount(); ++i)
        if (playlist.entries()[static_cast<std::size_t>(i)][PlaylistEntry::Title].startsWith(text, Qt::CaseInsensitive))
            return i;
    return -1;
}

QString statusText(const PlaylistModel &playlist, const QString &songsWord)
{
    if (playlist.entryCount() == 0)
        return {};
    qint64 total = 0, seconds = 0;
    for (const PlaylistEntry &entry : playlist.entries()) {
        total += entry[PlaylistEntry::Size].toLongLong();
        seconds += entrySeconds(entry);
    }
    const QString text = QStringLiteral("%1 %2 - %3,%4Mb")
                             .arg(playlist.entryCount())
                             .arg(songsWord)
                             .arg(total / 1024)
                             .arg((total % 1024) / 100);
    if (seconds == 0)
        return text;
    return text + QStringLiteral(" - %1:%2:%3")
                      .arg(seconds / 3600)
                      .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace playlist_edits
