#include "icecast_server.h"
#include "loopback_socket.h"
#include "support/files.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QUrl>

#include <chrono>

namespace ludro::test {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

const char *const sourcePassword = "source-secret";
const char *const adminPassword = "admin-secret";

std::uint16_t freePort()
{
    std::uint16_t port = 0;
    ::close(listenLoopback(port));
    return port;
}

// Connects, sends the request and reads the answer until it holds `until`
// (or the server stops sending for a second); the connection, or -1.
int converse(std::uint16_t port, const std::string &request, std::string &answer, std::string_view until)
{
    const int fd = connectLoopback(port, 1);
    char buffer[4096];
    if (fd >= 0 && sendAll(fd, request.data(), request.size()))
        for (ssize_t n; answer.find(until) == std::string::npos && (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
            answer.append(buffer, static_cast<std::size_t>(n));
    return fd;
}

bool answers(std::uint16_t port, const std::string &request, std::string_view expected)
{
    std::string answer;
    if (const int fd = converse(port, request, answer, expected); fd >= 0)
        ::close(fd);
    return answer.rfind("HTTP/1.0 200", 0) == 0 && answer.find(expected) != std::string::npos;
}

std::string basic(const std::string &user, const std::string &password)
{
    return "Authorization: Basic " + QByteArray::fromStdString(user + ":" + password).toBase64().toStdString() + "\r\n";
}

std::string percentEncoded(const std::string &text)
{
    return QUrl::toPercentEncoding(QString::fromStdString(text)).toStdString();
}

}  // namespace

IcecastServer::IcecastServer(const QString &folder, const std::string &certificate)
    : folder_(folder), port_(freePort()), tlsPort_(certificate.empty() ? 0 : freePort()),
      stop_(std::make_unique<StopSignal>())
{
    process_.setProcessChannelMode(QProcess::MergedChannels);
    writeConfiguration(certificate);
}

IcecastServer::~IcecastServer()
{
    stop_->raise();
    if (source_.joinable())
        source_.join();
    stop();
}

// Icecast as nobody must reach its folder, logs and certificate (a copy of
// the test's, in its own folder).
void IcecastServer::writeConfiguration(const std::string &certificate) const
{
    const bool root = ::geteuid() == 0;
    QDir(folder_).mkpath("logs");
    const QString certificateCopy = folder_ + "/certificate.pem";
    if (!certificate.empty())
        QFile::copy(QString::fromStdString(certificate), certificateCopy);
    if (root) {
        const auto readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
        QFile::setPermissions(folder_, readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther);
        QFile::setPermissions(folder_ + "/logs", QFile::Permissions(0x7777));
        QFile::setPermissions(certificateCopy, readable);
    }
    const QString socket = "<listen-socket><port>%1</port><bind-address>127.0.0.1</bind-address>%2</listen-socket>";
    const QString xml = QString::fromUtf8(readFile(QStringLiteral(LUDRO_FIXTURE_DIR "/icecast.xml")))
                            .arg(sourcePassword, adminPassword, socket.arg(port_).arg(""),
                                 tlsPort_ ? socket.arg(tlsPort_).arg("<ssl>1</ssl>") : "", folder_,
                                 tlsPort_ ? "<ssl-certificate>" + certificateCopy + "</ssl-certificate>" : "",
                                 root ? "<changeowner><user>nobody</user><group>nogroup</group></changeowner>" : "");
    QFile file(folder_ + "/icecast.xml");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(xml.toUtf8()) < 0)
        throw std::runtime_error("cannot write icecast.xml");
}

bool IcecastServer::start()
{
    process_.start("icecast2", {"-c", folder_ + "/icecast.xml"});
    if (!process_.waitForStarted(5000)) {
        log_ = "icecast2 does not start: " + process_.errorString();
        return false;
    }
    // Polled: Icecast tells nobody when it listens.
    for (const auto deadline = Clock::now() + 10s; Clock::now() < deadline && process_.state() == QProcess::Running;) {
        bool up = true;
        for (std::uint16_t port : {port_, tlsPort_})
            if (const int fd = port ? connectLoopback(port, 1) : 0; fd < 0)
                up = false;
            else if (fd > 0)
                ::close(fd);
        if (up)
            return true;
        process_.waitForFinished(20);
    }
    log_ = QString::fromLocal8Bit(process_.readAll());
    QFile errors(folder_ + "/logs/error.log");
    if (errors.open(QIODevice::ReadOnly))
        log_ += QString::fromLocal8Bit(errors.readAll());
    return false;
}

void IcecastServer::stop()
{
    if (process_.state() == QProcess::NotRunning)
        return;
    process_.terminate();
    if (!process_.waitForFinished(10000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

void IcecastServer::feed(const std::string &mount, std::string mp3, int bytesPerSecond)
{
    source_ = std::thread([=, this] { runSource(mount, mp3, bytesPerSecond); });
}

bool IcecastServer::setTitle(const std::string &mount, const std::string &title) const
{
    return answers(port_,
                   "GET /admin/metadata?mount=" + percentEncoded(mount) + "&mode=updinfo&song=" +
                       percentEncoded(title) + " HTTP/1.0\r\n" + basic("admin", adminPassword) + "\r\n",
                   "successful");
}

bool IcecastServer::isLive(const std::string &mount) const
{
    return answers(port_, "GET " + mount + " HTTP/1.0\r\n\r\n", "HTTP/1.0 200");
}

// As an encoder does: 25 ms of the song at a time, at their time (Icecast
// takes in new listeners between a source's writes), and a new connection
// whenever the server went away. The song is longer than a piece.
void IcecastServer::runSource(const std::string &mount, const std::string &mp3, int bytesPerSecond)
{
    const std::string head = "PUT " + mount + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port_) + "\r\n" +
                             basic("source", sourcePassword) +
                             "Content-Type: audio/mpeg\r\nIce-Name: Loopback Radio\r\nIce-Public: 0\r\n"
                             "Expect: 100-continue\r\n\r\n";
    const std::size_t piece = static_cast<std::size_t>(bytesPerSecond / 40);
    const std::string looped = mp3 + mp3.substr(0, piece);
    std::size_t at = 0;
    do {
        std::string answer;  // "HTTP/1.1 100 Continue", then "HTTP/1.0 200 OK"
        const int fd = converse(port_, head, answer, "200 OK");
        const auto start = Clock::now();
        for (std::size_t sent = 0; answer.find("200 OK") != std::string::npos; sent += piece) {
            if (!stop_->sleepUntil(start + std::chrono::milliseconds(sent * 1000 / bytesPerSecond))) {
                ::close(fd);
                return;
            }
            if (!sendAll(fd, looped.data() + at, piece))
                break;
            at = (at + piece) % mp3.size();
        }
        if (fd >= 0)
            ::close(fd);
    } while (stop_->sleepUntil(Clock::now() + 50ms));
}

}  // namespace ludro::test
