#include "playlist_model.h"

#include <QCollator>
#include <QFileInfo>

#include <algorithm>

void PlayedMarks::resize(int count)
{
    if (static_cast<std::size_t>(count) == marks_.size())
        return;
    marks_.resize(static_cast<std::size_t>(count), 0);
    stale_ = true;
}

void PlayedMarks::clear()
{
    std::fill(marks_.begin(), marks_.end(), 0);
    stale_ = true;
}

void PlayedMarks::rebuild()
{
    const std::size_t n = marks_.size();
    tree_.assign(n + 1, 0);
    unmarked_ = 0;
    stale_ = false;
    for (std::size_t i = 1; i <= n; ++i) {
        const int free = marks_[i - 1] ? 0 : 1;
        unmarked_ += free;
        tree_[i] += free;
        const std::size_t parent = i + (i & (~i + 1));
        if (parent <= n)
            tree_[parent] += tree_[i];
    }
}

void PlayedMarks::mark(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= marks_.size() || marks_[static_cast<std::size_t>(index)])
        return;
    marks_[static_cast<std::size_t>(index)] = 1;
    if (stale_)
        return;
    --unmarked_;
    for (std::size_t i = static_cast<std::size_t>(index) + 1; i < tree_.size(); i += i & (~i + 1))
        --tree_[i];
}

bool PlayedMarks::isMarked(int index) const
{
    return index >= 0 && static_cast<std::size_t>(index) < marks_.size() && marks_[static_cast<std::size_t>(index)];
}

int PlayedMarks::kthUnmarked(int k) const
{
    std::size_t position = 0, step = 1;
    while (step * 2 < tree_.size())
        step *= 2;
    for (; step > 0; step /= 2)
        if (position + step < tree_.size() && tree_[position + step] < k) {
            position += step;
            k -= tree_[position];
        }
    return static_cast<int>(position);  // 0-based index of the k-th unmarked
}

int PlayedMarks::pick(int count, std::mt19937 &random)
{
    resize(count);
    if (stale_)
        rebuild();
    int chosen;
    if (unmarked_ == 0) {
        clear();
        chosen = std::uniform_int_distribution<int>(0, count - 1)(random);
    } else {
        chosen = kthUnmarked(std::uniform_int_distribution<int>(1, unmarked_)(random));
    }
    mark(chosen);
    return chosen;
}

void PlayedMarks::remove(const std::vector<char> &removed)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < marks_.size(); ++i)
        if (i >= removed.size() || !removed[i])
            marks_[kept++] = marks_[i];
    marks_.resize(kept);
    stale_ = true;
}

const PlaylistEntry *PlaylistModel::entryAt(int index) const
{
    return index >= 0 && index < entryCount() ? &entries_[static_cast<std::size_t>(index)] : nullptr;
}

void PlaylistModel::setColumn(int index, PlaylistEntry::Column column, const QString &text)
{
    if (index >= 0 && index < entryCount())
        entries_[static_cast<std::size_t>(index)][column] = text;
}

void PlaylistModel::clearEntries()
{
    entries_.clear();
    playedMarks.resize(0);
}

void PlaylistModel::append(PlaylistEntry entry)
{
    for (auto c : {PlaylistEntry::Number, PlaylistEntry::Time, PlaylistEntry::Artist, PlaylistEntry::Album,
                   PlaylistEntry::Genre})
        entry[c] = QStringLiteral("...");
    entries_.push_back(std::move(entry));
    playedMarks.resize(entryCount());
}

void PlaylistModel::addFileEntry(const QString &path)
{
    const QFileInfo info(path);
    PlaylistEntry entry;
    entry[PlaylistEntry::Title] = info.fileName();
    entry[PlaylistEntry::Path] = info.absolutePath() + '/';
    entry[PlaylistEntry::Size] = QString::number(info.size() / 1024);
    append(std::move(entry));
}

void PlaylistModel::addNetworkEntry(const QString &text)
{
    PlaylistEntry entry;
    entry[PlaylistEntry::Title] = text;
    entry[PlaylistEntry::Size] = QStringLiteral("0");
    append(std::move(entry));
}

void PlaylistModel::addFileEntry(const QString &folder, const QString &name, qint64 sizeKb)
{
    PlaylistEntry entry;
    entry[PlaylistEntry::Title] = name;
    entry[PlaylistEntry::Path] = folder;
    entry[PlaylistEntry::Size] = QString::number(sizeKb);
    append(std::move(entry));
}

void PlaylistModel::removeEntries(const std::vector<char> &removed)
{
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (i >= removed.size() || !removed[i])
            entries_[kept++] = std::move(entries_[i]);
    entries_.resize(kept);
    playedMarks.remove(removed);
}

void PlaylistModel::swapEntries(int a, int b)
{
    if (entryAt(a) && entryAt(b))
        std::swap(entries_[static_cast<std::size_t>(a)], entries_[static_cast<std::size_t>(b)]);
}

void PlaylistModel::reverseEntries()
{
    std::reverse(entries_.begin(), entries_.end());
}

void PlaylistModel::sortEntries()
{
    // Without a language of its own (the "C" locale) the list still sorts
    // as a reader expects: letter case does not split the alphabet.
    QCollator collator;
    if (collator.locale().language() == QLocale::C)
        collator.setLocale(QLocale(QLocale::English));
    std::vector<std::pair<QCollatorSortKey, std::size_t>> keys;
    keys.reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        keys.emplace_back(collator.sortKey(entries_[i][PlaylistEntry::Title]), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return a.first.compare(b.first) < 0; });
    std::vector<PlaylistEntry> sorted;
    sorted.reserve(entries_.size());
    for (const auto &key : keys)
        sorted.push_back(std::move(entries_[key.second]));
    entries_ = std::move(sorted);
}

void PlaylistModel::renumberEntries()
{
    for (int i = 0; i < entryCount(); ++i)
        entries_[static_cast<std::size_t>(i)][PlaylistEntry::Number] = QString::number(i + 1);
}

QString PlaylistModel::entryPath(int index) const
{
    const PlaylistEntry *e = entryAt(index);
    if (!e)
        return {};
    if ((*e)[PlaylistEntry::Path].isEmpty())
        return (*e)[PlaylistEntry::Title];
    return (*e)[PlaylistEntry::Path] + (*e)[PlaylistEntry::Title].section('/', -1);
}

bool PlaylistModel::isNetworkEntry(const QString &text)
{
    const QString start = text.left(5).toLower();
    return start.startsWith(QLatin1String("http:")) || start.startsWith(QLatin1String("www."))
        || start.startsWith(QLatin1String("ftp:"));
}
