#pragma once

// Debian's icecast2 as a real radio server for a test: started on free
// loopback ports with a configuration written to a folder of the test's,
// with TLS on a second port when given a certificate, and stopped and
// started again on the same ports. A source client of ours feeds a mount
// with MP3 at its real-time rate (HTTP PUT with the source password) and
// connects again after a restart; titles change through the admin address.
// As root (CI), the configuration tells Icecast to become the user nobody.

#include <QProcess>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace ludro::test {

class IcecastServer {
public:
    // `certificate`: certificate and key in one PEM file, or empty for no TLS.
    IcecastServer(const QString &folder, const std::string &certificate = {});
    ~IcecastServer();
    IcecastServer(const IcecastServer &) = delete;
    IcecastServer &operator=(const IcecastServer &) = delete;

    // Starts the server and waits until it answers; false (with its output
    // in log()) when it does not within 10 s.
    bool start();
    void stop();
    QString log() const { return log_; }

    std::uint16_t port() const { return port_; }
    std::string url(const std::string &path) const;  // "http://127.0.0.1:<port><path>"
    std::string tlsUrl(const std::string &path, const std::string &host = "localhost") const;

    // A source sending `mp3` over and over to `mount` at `bytesPerSecond`.
    void feed(const std::string &mount, std::string mp3, int bytesPerSecond);
    // The mount's title, as a source's metadata update sets it.
    bool setTitle(const std::string &mount, const std::string &title) const;
    // The mount has its source: a listener would get the stream.
    bool isLive(const std::string &mount) const;

private:
    void writeConfiguration(const std::string &certificate) const;
    void runSource();
    bool waitOrStop(std::chrono::steady_clock::time_point until);  // false once stopping

    QString folder_;
    std::uint16_t port_ = 0;
    std::uint16_t tlsPort_ = 0;
    QProcess process_;
    QString log_;

    std::string mount_, mp3_;
    int bytesPerSecond_ = 16000;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::thread source_;
};

}  // namespace ludro::test
