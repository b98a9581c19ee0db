#include "icecast_server.h"
#include "send_all.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QUrl>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace ludro::test {

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

const char *const sourcePassword = "source-secret";
const char *const adminPassword = "admin-secret";

std::uint16_t freePort()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

// A blocking connection whose reads and writes give up after a second.
int connectTo(std::uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const timeval limit{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
        return fd;
    ::close(fd);
    return -1;
}

// Sends the request and returns the answer's first bytes ("" when none).
std::string ask(std::uint16_t port, const std::string &request)
{
    const int fd = connectTo(port);
    if (fd < 0)
        return {};
    std::string answer;
    if (sendAll(fd, request.data(), request.size())) {
        char buffer[4096];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n > 0)
            answer.assign(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return answer;
}

std::string basic(const std::string &user, const std::string &password)
{
    return "Authorization: Basic " + QByteArray::fromStdString(user + ":" + password).toBase64().toStdString() + "\r\n";
}

}  // namespace

IcecastServer::IcecastServer(const QString &folder, const std::string &certificate)
    : folder_(folder), port_(freePort()), tlsPort_(certificate.empty() ? 0 : freePort())
{
    process_.setProcessChannelMode(QProcess::MergedChannels);
    writeConfiguration(certificate);
}

IcecastServer::~IcecastServer()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
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
    QString xml =
        QStringLiteral("<icecast>\n"
                       "  <limits><clients>50</clients><sources>4</sources><burst-size>32768</burst-size>"
                       "<source-timeout>10</source-timeout></limits>\n"
                       "  <authentication><source-password>%1</source-password>"
                       "<admin-user>admin</admin-user><admin-password>%2</admin-password></authentication>\n"
                       "  <hostname>127.0.0.1</hostname>\n"
                       "  <listen-socket><port>%3</port><bind-address>127.0.0.1</bind-address></listen-socket>\n")
            .arg(sourcePassword, adminPassword)
            .arg(port_);
    if (tlsPort_ != 0)
        xml += QStringLiteral("  <listen-socket><port>%1</port><bind-address>127.0.0.1</bind-address>"
                              "<ssl>1</ssl></listen-socket>\n")
                   .arg(tlsPort_);
    xml += QStringLiteral("  <paths><basedir>%1</basedir><logdir>%1/logs</logdir>"
                          "<webroot>/usr/share/icecast2/web</webroot><adminroot>/usr/share/icecast2/admin</adminroot>")
               .arg(folder_);
    if (tlsPort_ != 0)
        xml += QStringLiteral("<ssl-certificate>%1</ssl-certificate>").arg(certificateCopy);
    xml += QStringLiteral("</paths>\n"
                          "  <logging><errorlog>error.log</errorlog><accesslog>access.log</accesslog>"
                          "<loglevel>3</loglevel></logging>\n"
                          "  <security><chroot>0</chroot>%1</security>\n"
                          "</icecast>\n")
               .arg(root ? "<changeowner><user>nobody</user><group>nogroup</group></changeowner>" : "");
    QFile file(folder_ + "/icecast.xml");
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(xml.toUtf8());
}

bool IcecastServer::start()
{
    process_.start("icecast2", {"-c", folder_ + "/icecast.xml"});
    if (!process_.waitForStarted(5000)) {
        log_ = "icecast2 does not start: " + process_.errorString();
        return false;
    }
    // Polled: Icecast tells nobody when it listens.
    for (const auto deadline = Clock::now() + 10s; Clock::now() < deadline;) {
        if (process_.state() != QProcess::Running)
            break;
        bool up = true;
        for (std::uint16_t port : {port_, tlsPort_})
            if (const int fd = port ? connectTo(port) : 0; fd < 0)
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

std::string IcecastServer::url(const std::string &path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::string IcecastServer::tlsUrl(const std::string &path, const std::string &host) const
{
    return "https://" + host + ":" + std::to_string(tlsPort_) + path;
}

void IcecastServer::feed(const std::string &mount, std::string mp3, int bytesPerSecond)
{
    mount_ = mount;
    mp3_ = std::move(mp3);
    bytesPerSecond_ = bytesPerSecond;
    source_ = std::thread([this] { runSource(); });
}

bool IcecastServer::setTitle(const std::string &mount, const std::string &title) const
{
    const std::string query =
        "mount=" + QUrl::toPercentEncoding(QString::fromStdString(mount)).toStdString() +
        "&mode=updinfo&song=" + QUrl::toPercentEncoding(QString::fromStdString(title)).toStdString();
    const std::string answer =
        ask(port_, "GET /admin/metadata?" + query + " HTTP/1.0\r\n" + basic("admin", adminPassword) + "\r\n");
    return answer.rfind("HTTP/1.0 200", 0) == 0 && answer.find("successful") != std::string::npos;
}

bool IcecastServer::isLive(const std::string &mount) const
{
    return ask(port_, "GET " + mount + " HTTP/1.0\r\n\r\n").rfind("HTTP/1.0 200", 0) == 0;
}

bool IcecastServer::waitOrStop(Clock::time_point until)
{
    std::unique_lock lock(mutex_);
    return !wake_.wait_until(lock, until, [this] { return stopping_; });
}

// As an encoder does: 25 ms of the song at a time, at their time (Icecast
// takes in new listeners between a source's writes), and a new connection
// whenever the server went away.
void IcecastServer::runSource()
{
    const std::string head = "PUT " + mount_ + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port_) + "\r\n" +
                             basic("source", sourcePassword) +
                             "Content-Type: audio/mpeg\r\nIce-Name: Loopback Radio\r\nIce-Public: 0\r\n"
                             "Expect: 100-continue\r\n\r\n";
    const std::size_t piece = static_cast<std::size_t>(bytesPerSecond_ / 40);
    std::size_t at = 0;
    for (;;) {
        const int fd = connectTo(port_);
        std::string answer;
        if (fd >= 0 && sendAll(fd, head.data(), head.size())) {
            char buffer[512];
            // "HTTP/1.1 100 Continue", then "HTTP/1.0 200 OK".
            for (ssize_t n;
                 answer.find("200 OK") == std::string::npos && (n = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
                answer.append(buffer, static_cast<std::size_t>(n));
        }
        if (answer.find("200 OK") != std::string::npos) {
            const auto start = Clock::now();
            for (std::size_t sent = 0;; sent += piece) {
                if (!waitOrStop(start + std::chrono::milliseconds(sent * 1000 / bytesPerSecond_))) {
                    ::close(fd);
                    return;
                }
                std::string bytes;
                while (bytes.size() < piece) {
                    const std::size_t n = std::min(piece - bytes.size(), mp3_.size() - at);
                    bytes.append(mp3_, at, n);
                    at = (at + n) % mp3_.size();
                }
                if (!sendAll(fd, bytes.data(), bytes.size()))
                    break;
            }
        }
        if (fd >= 0)
            ::close(fd);
        if (!waitOrStop(Clock::now() + 50ms))
            return;
    }
}

}  // namespace ludro::test
