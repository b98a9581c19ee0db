#include "cddb_client.h"

#include "cddb_server.h"
#include "text_lines.h"

#include "net/http_exception.h"
#include "platform/text_decoding.h"

#include <QBuffer>
#include <QUrl>

#include <utility>

namespace cd {

namespace {

// Records are a few kilobytes; a server sending without end is cut off.
constexpr qint64 maxAnswerBytes = 1 << 20;

const QString formType = QStringLiteral("application/x-www-form-urlencoded");

// A record has at least its header comment, DISCID, DTITLE, DYEAR, DGENRE
// and a track title.
constexpr int minRecordLines = 6;

// Form values from the settings or the server stay values: "&", "+" and
// blanks in them are percent-encoded.
QByteArray formValue(const QString &value)
{
    return QUrl::toPercentEncoding(value);
}

}  // namespace

HelloParts splitUserEmail(const QString &email)
{
    const qsizetype at = email.indexOf('@');
    if (at < 0)
        return {};
    return {email.left(at), email.mid(at + 1)};
}

CddbClient::CddbClient() : server_(cddbServer({}))
{
    timer_.setSingleShot(true);
    QObject::connect(&timer_, &QTimer::timeout, [this] { http_.Abort(); });
    http_.OnDocData = [this](const char *, qint64) {
        if (http_.BodyBytesReceived() > maxAnswerBytes)
            http_.Abort();
    };
}

void CddbClient::setServer(const QString &configured)
{
    server_ = cddbServer(configured);
}

void CddbClient::setUserEmail(const QString &email)
{
    email_ = email;
    hello_ = splitUserEmail(email);
}

bool CddbClient::begin()
{
    if (running_)
        return false;
    running_ = true;
    aborted_ = false;
    return true;
}

CddbLookup CddbClient::lookup(const QString &queryArgument, const MatchChooser &choose)
{
    if (!begin())
        return {};
    CddbLookup result;
    if (const std::optional<QStringList> answer = post(queryForm(queryArgument))) {
        if (answer->size() == 1) {
            result = read(singleMatch(answer->first()));
        } else if (answer->size() > 1) {
            // A list: its status line first, a "." line last.
            QStringList matches = answer->mid(1);
            if (matches.last() == QLatin1String("."))
                matches.removeLast();
            const std::optional<int> chosen = matches.isEmpty() ? std::nullopt : choose(matches);
            result =
                read(chosen && *chosen >= 0 && *chosen < matches.size() ? listedMatch(matches[*chosen]) : std::nullopt);
        } else {
            result.outcome = CddbLookup::NoRecord;
        }
    }
    if (aborted_)
        result = {};
    running_ = false;
    return result;
}

CddbSubmit CddbClient::submit(const QString &category, bool test, const QString &discId, const QStringList &record)
{
    if (!begin())
        return {};
    QByteArray body;
    for (const QString &line : record)
        body += line.toUtf8() + '\n';
    // The fields a submission script reads from the request's header.
    QStringList headers;
    headers << "Category: " + category << "Discid: " + discId << "User-Email: " + email_;
    headers << QStringLiteral("Submit-Mode: ") + (test ? "test" : "submit");
    headers << QStringLiteral("Charset: UTF-8") << QStringLiteral("X-Cddbd-Note: Sent by Ludro Pro 2.0");
    const std::optional<QStringList> answer =
        send(cddbAddress(server_, "/~cddb/submit.cgi"), body, QStringLiteral("text/plain; charset=UTF-8"), headers);
    running_ = false;
    CddbSubmit result;
    if (!answer)
        return result;
    result.answer = answer->isEmpty() ? QString() : singleLine(answer->first());
    result.outcome =
        result.answer.section(' ', 0, 0) == QLatin1String("200") ? CddbSubmit::Accepted : CddbSubmit::Refused;
    return result;
}

std::optional<QStringList> CddbClient::sites()
{
    if (!begin())
        return std::nullopt;
    std::optional<QStringList> answer =
        send(cddbAddress(cddbServer({}), "/~cddb/cddb.cgi"), "cmd=sites&hello=" + helloField(), formType);
    running_ = false;
    return answer;
}

void CddbClient::abort()
{
    if (!running_)
        return;
    aborted_ = true;
    http_.Abort();
}

CddbLookup CddbClient::read(const std::optional<CddbMatch> &match)
{
    CddbLookup result;
    if (!match) {
        result.outcome = CddbLookup::NoRecord;
        return result;
    }
    const std::optional<QStringList> answer = post(readForm(*match));
    if (!answer)
        return result;
    result.record = *answer;
    result.outcome = answer->size() < minRecordLines ? CddbLookup::NoRecord : CddbLookup::Found;
    return result;
}

std::optional<QStringList> CddbClient::post(const QByteArray &form)
{
    return send(cddbAddress(server_, "/~cddb/cddb.cgi"), form, formType);
}

std::optional<QStringList> CddbClient::send(const QString &url, const QByteArray &body, const QString &contentType,
                                            const QStringList &headers)
{
    if (aborted_)
        return std::nullopt;
    http_.URL = url;
    http_.ContentTypePost = contentType;
    http_.ExtraHeaders = headers;
    http_.Proxy.clear();
    http_.ProxyPort = QStringLiteral("80");
    QBuffer post;
    post.setData(body);
    post.open(QIODevice::ReadOnly);
    QBuffer answer;
    answer.open(QIODevice::WriteOnly);
    http_.PostBody = &post;
    http_.BodySink = &answer;
    if (timeout_ > 0)
        timer_.start(timeout_);
    bool failed = false;
    try {
        http_.Post();
    } catch (const net::EHttpException &) {
        failed = true;
    }
    timer_.stop();
    http_.PostBody = nullptr;
    http_.BodySink = nullptr;
    if (failed || aborted_)
        return std::nullopt;
    return textLines(platform::decodeText(answer.data()));
}

QByteArray CddbClient::queryForm(const QString &queryArgument) const
{
    return "cmd=cddb+query+" + queryArgument.toUtf8() + "+&hello=" + helloField();
}

QByteArray CddbClient::readForm(const CddbMatch &match) const
{
    return "cmd=cddb+read+" + formValue(match.category) + "+" + formValue(match.discId) + "&hello=" + helloField();
}

QByteArray CddbClient::helloField() const
{
    return formValue(hello_.user) + "+" + formValue(hello_.host) + "+Ludro+2.0&proto=4";
}

}  // namespace cd
