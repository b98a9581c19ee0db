#include "playlist_model.h"

#include <QAbstractEventDispatcher>
#include <QCollator>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>
#include <utility>

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

void PlayedMarks::reorder(const std::vector<std::size_t> &order)
{
    std::vector<char> moved(marks_.size(), 0);
    for (std::size_t i = 0; i < moved.size() && i < order.size(); ++i)
        if (order[i] < marks_.size())
            moved[i] = marks_[order[i]];
    marks_ = std::move(moved);
    stale_ = true;
}

PlaylistModel::PlaylistModel(QObject *parent) : QObject(parent)
{
    delivery_.setSingleShot(true);
    delivery_.setInterval(0);
    connect(&delivery_, &QTimer::timeout, this, &PlaylistModel::deliverChanges);
}

// A few comparisons per entry: long lists pay nothing more for being
// watched.
void PlaylistModel::note(Level level, int first, int count)
{
    Span &span = pending_[static_cast<std::size_t>(level)];
    if (span.first < 0) {
        span = {first, first + count};
    } else {
        span.first = std::min(span.first, first);
        span.end = std::max(span.end, first + count);
    }
    scheduleDelivery();
}

// Without an event loop (a tool of its own) changes wait for
// deliverChanges().
void PlaylistModel::scheduleDelivery()
{
    if (!delivery_.isActive() && QAbstractEventDispatcher::instance(thread()))
        delivery_.start();
}

// Structure first: the rows are in place before their texts are read again.
void PlaylistModel::deliverChanges()
{
    if (keepSorted && unsettled_)
        settle();
    delivery_.stop();
    const std::array<Span, 2> pending = std::exchange(pending_, {});
    for (Level level : {Level::Structure, Level::Metadata})
        if (const Span span = pending[static_cast<std::size_t>(level)]; span.first >= 0)
            emit changed(level, span.first, span.end - span.first);
    if (currentIndex_ != toldIndex_) {
        toldIndex_ = currentIndex_;
        emit currentChanged(currentIndex_);
    }
}

void PlaylistModel::setCurrentIndex(int index)
{
    currentIndex_ = index;
    if (currentIndex_ != toldIndex_)
        scheduleDelivery();
}

const PlaylistEntry *PlaylistModel::entryAt(int index) const
{
    return index >= 0 && index < entryCount() ? &entries_[static_cast<std::size_t>(index)] : nullptr;
}

void PlaylistModel::setColumn(int index, PlaylistEntry::Column column, const QString &text)
{
    if (index < 0 || index >= entryCount())
        return;
    QString &cell = entries_[static_cast<std::size_t>(index)][column];
    if (cell == text)
        return;
    cell = text;
    unsettled_ = unsettled_ || column == PlaylistEntry::Title;
    note(Level::Metadata, index, 1);
}

void PlaylistModel::setUnopenable(int index, bool unopenable)
{
    if (index < 0 || index >= entryCount() || entries_[static_cast<std::size_t>(index)].unopenable == unopenable)
        return;
    entries_[static_cast<std::size_t>(index)].unopenable = unopenable;
    note(Level::Metadata, index, 1);
}

void PlaylistModel::setShownTitle(int index, const QString &text)
{
    if (index < 0 || index >= entryCount() || entries_[static_cast<std::size_t>(index)].shownTitle == text)
        return;
    entries_[static_cast<std::size_t>(index)].shownTitle = text;
    note(Level::Metadata, index, 1);
}

void PlaylistModel::clearEntries()
{
    const int count = entryCount();
    entries_.clear();
    playedMarks.resize(0);
    if (count > 0)
        note(Level::Structure, 0, count);
}

void PlaylistModel::append(PlaylistEntry entry)
{
    for (auto c : {PlaylistEntry::Number, PlaylistEntry::Time, PlaylistEntry::Artist, PlaylistEntry::Album,
                   PlaylistEntry::Genre})
        entry[c] = QStringLiteral("...");
    entries_.push_back(std::move(entry));
    unsettled_ = true;
    playedMarks.resize(entryCount());
    note(Level::Structure, entryCount() - 1, 1);
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

void PlaylistModel::replaceWithNetworkEntries(int index, const QStringList &addresses)
{
    if (!entryAt(index) || addresses.isEmpty())
        return;
    std::vector<char> marked(entries_.size());
    for (std::size_t i = 0; i < marked.size(); ++i)
        marked[i] = playedMarks.isMarked(static_cast<int>(i));
    std::vector<PlaylistEntry> added;
    for (const QString &address : addresses) {
        PlaylistEntry entry;
        entry[PlaylistEntry::Title] = address;
        entry[PlaylistEntry::Size] = QStringLiteral("0");
        for (auto c : {PlaylistEntry::Number, PlaylistEntry::Time, PlaylistEntry::Artist, PlaylistEntry::Album,
                       PlaylistEntry::Genre})
            entry[c] = QStringLiteral("...");
        added.push_back(std::move(entry));
    }
    const auto at = entries_.begin() + index;
    entries_.insert(entries_.erase(at), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    // The marks of the entries after it move with them; the new ones are unplayed.
    playedMarks.resize(0);
    playedMarks.resize(entryCount());
    const int shift = static_cast<int>(added.size()) - 1;
    for (std::size_t i = 0; i < marked.size(); ++i)
        if (marked[i] && static_cast<int>(i) != index)
            playedMarks.mark(static_cast<int>(i) > index ? static_cast<int>(i) + shift : static_cast<int>(i));
    note(Level::Structure, index, entryCount() - index);
}

void PlaylistModel::removeEntries(const std::vector<char> &removed)
{
    const int count = entryCount();
    int first = -1;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (i >= removed.size() || !removed[i])
            entries_[kept++] = std::move(entries_[i]);
        else if (first < 0)
            first = static_cast<int>(i);
    }
    entries_.resize(kept);
    playedMarks.remove(removed);
    if (first >= 0)
        note(Level::Structure, first, count - first);
}

void PlaylistModel::swapEntries(int a, int b)
{
    if (a == b || !entryAt(a) || !entryAt(b))
        return;
    std::swap(entries_[static_cast<std::size_t>(a)], entries_[static_cast<std::size_t>(b)]);
    unsettled_ = true;
    note(Level::Structure, std::min(a, b), std::abs(a - b) + 1);
}

void PlaylistModel::reverseEntries()
{
    if (entryCount() < 2)
        return;
    std::reverse(entries_.begin(), entries_.end());
    unsettled_ = true;
    note(Level::Structure, 0, entryCount());
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
    // A list kept sorted is sorted again after every change: only the rows
    // that moved are told.
    int first = -1, end = 0;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (keys[i].second != i) {
            if (first < 0)
                first = static_cast<int>(i);
            end = static_cast<int>(i) + 1;
        }
    if (first < 0)
        return;
    std::vector<PlaylistEntry> sorted;
    std::vector<std::size_t> order;
    std::vector<int> movedTo(entries_.size());
    sorted.reserve(entries_.size());
    order.reserve(entries_.size());
    for (const auto &key : keys) {
        movedTo[key.second] = static_cast<int>(sorted.size());
        order.push_back(key.second);
        sorted.push_back(std::move(entries_[key.second]));
    }
    entries_ = std::move(sorted);
    if (entryAt(currentIndex_))
        setCurrentIndex(movedTo[static_cast<std::size_t>(currentIndex_)]);
    if (entryAt(pendingIndex))
        pendingIndex = movedTo[static_cast<std::size_t>(pendingIndex)];
    playedMarks.reorder(order);
    note(Level::Structure, first, end - first);
}

void PlaylistModel::settle()
{
    unsettled_ = false;
    if (keepSorted)
        sortEntries();
    renumberEntries();
}

void PlaylistModel::renumberEntries()
{
    int first = -1, end = 0;
    for (int i = 0; i < entryCount(); ++i) {
        QString number = QString::number(i + 1);
        QString &cell = entries_[static_cast<std::size_t>(i)][PlaylistEntry::Number];
        if (cell == number)
            continue;
        cell = std::move(number);
        if (first < 0)
            first = i;
        end = i + 1;
    }
    if (first >= 0)
        note(Level::Metadata, first, end - first);
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
    const QString start = text.left(6).toLower();
    return start.startsWith(QLatin1String("http:")) || start.startsWith(QLatin1String("https:"))
        || start.startsWith(QLatin1String("www.")) || start.startsWith(QLatin1String("ftp:"));
}
