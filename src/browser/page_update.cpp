#include "browser/page_update.h"

#include "browser/page_folder.h"
#include "net/http_exception.h"
#include "platform/data_folders.h"
#include "platform/user_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>

#ifndef LUDRO_BROWSER_URL
#define LUDRO_BROWSER_URL ""
#endif

namespace browser {

namespace {

const QString listName = QStringLiteral("list.txt");

std::optional<int> number(const QByteArray &line)
{
    bool ok = false;
    const int value = line.trimmed().toInt(&ok);
    return ok && value >= 0 ? std::optional<int>(value) : std::nullopt;
}

bool isListName(const QString &name)
{
    return name.compare(listName, Qt::CaseInsensitive) == 0 ||
           name.compare(QStringLiteral("listnew.txt"), Qt::CaseInsensitive) == 0;
}

}  // namespace

std::optional<UpdateList> parseUpdateList(const QByteArray &bytes)
{
    if (bytes.size() > maxListBytes)
        return std::nullopt;
    QList<QByteArray> lines = bytes.split('\n');
    while (!lines.isEmpty() && lines.back().trimmed().isEmpty())
        lines.removeLast();
    const std::optional<int> version = lines.size() >= 2 ? number(lines[0]) : std::nullopt;
    const std::optional<int> count = lines.size() >= 2 ? number(lines[1]) : std::nullopt;
    if (!version || !count || *count > maxListFiles)
        return std::nullopt;
    UpdateList list{*version, {}};
    for (const QByteArray &line : lines.mid(2)) {
        const QString name = QString::fromLatin1(line.trimmed());
        if (name.isEmpty())
            continue;
        if (!isPageName(name) || isListName(name))
            return std::nullopt;
        list.files << name;
    }
    if (list.files.size() != *count)
        return std::nullopt;
    return list;
}

int localVersion(const QStringList &folders)
{
    const std::optional<QByteArray> bytes =
        platform::readLimitedFile(platform::findInFolders(folders, listName), maxListBytes);
    const QList<QByteArray> lines = bytes ? bytes->split('\n') : QList<QByteArray>();
    return lines.size() > 1 ? number(lines[0]).value_or(0) : 0;
}

QString updateAddress()
{
    const QString address = qEnvironmentVariable("LUDRO_BROWSER_URL", QStringLiteral(LUDRO_BROWSER_URL)).trimmed();
    return address.isEmpty() || address.endsWith(u'/') ? address : address + u'/';
}

PageUpdate::PageUpdate(net::THttpCli &client, QStringList folders, QString address)
    : client_(client), folders_(std::move(folders)), address_(std::move(address))
{
}

// A complete answer of 2xx, no larger than `limit`, lands in `path`.
bool PageUpdate::fetch(const QString &name, const QString &path, qint64 limit)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    client_.URL = address_ + name;
    client_.Proxy.clear();
    client_.BodySink = &file;
    client_.OnDocData = [this, limit](const char *, qint64) {
        if (client_.BodyBytesReceived() > limit)
            client_.Abort();
    };
    bool arrived = false;
    try {
        client_.Get();
        arrived = client_.ResponseStatus() >= 200 && client_.ResponseStatus() < 300;
    } catch (const net::EHttpException &) {
    }
    client_.BodySink = nullptr;
    client_.OnDocData = nullptr;
    return arrived && file.flush() && file.error() == QFileDevice::NoError;
}

UpdateResult PageUpdate::run()
{
    if (OnProgress)
        OnProgress(0);
    // The private folder goes with everything in it, whatever happens.
    const QString folder = folders_.value(0);
    QDir().mkpath(folder);
    QTemporaryDir download(folder + QStringLiteral(".update-XXXXXX"));
    if (!download.isValid())
        return UpdateResult::Failed;
    const QString newList = download.filePath(listName);
    if (!fetch(listName, newList, maxListBytes))
        return cancelled() ? UpdateResult::Cancelled : UpdateResult::Failed;
    QFile listFile(newList);
    const std::optional<UpdateList> list =
        listFile.open(QIODevice::ReadOnly) ? parseUpdateList(listFile.read(maxListBytes + 1)) : std::nullopt;
    if (!list)
        return UpdateResult::Failed;
    if (list->version <= localVersion(folders_))
        return UpdateResult::UpToDate;

    for (int i = 0; i < list->files.size(); ++i) {
        if (cancelled())
            return UpdateResult::Cancelled;
        if (!fetch(list->files[i], download.filePath(list->files[i]), maxFileBytes))
            return cancelled() ? UpdateResult::Cancelled : UpdateResult::Failed;
        if (OnProgress)
            OnProgress((i + 1) * 100 / static_cast<int>(list->files.size()));
    }
    if (cancelled())
        return UpdateResult::Cancelled;
    std::error_code error;
    for (const QString &name : list->files + QStringList{listName}) {
        std::filesystem::rename(download.filePath(name).toStdString(), (folder + name).toStdString(), error);
        if (error)
            return UpdateResult::Failed;
    }
    if (OnProgress)
        OnProgress(100);
    return UpdateResult::Updated;
}

}  // namespace browser
