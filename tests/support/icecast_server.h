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

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace ludro::test {

class StopSignal;

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
    std::string url(const std::string &path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    std::string tlsUrl(const std::string &path, const std::string &host = "localhost") const
    {
        return "https://" + host + ":" + std::to_string(tlsPort_) + path;
    }

    // A source sending `mp3` over and over to `mount` at `bytesPerSecond`.
    void feed(const std::string &mount, std::string mp3, int bytesPerSecond);
    // The mount's title, as a source's metadata update sets it.
    bool setTitle(const std::string &mount, const std::string &title) const;
    // The mount has its source: a listener would get the stream.
    bool isLive(const std::string &mount) const;

private:
    void writeConfiguration(const std::string &certificate) const;
    void runSource(const std::string &mount, const std::string &mp3, int bytesPerSecond);

    QString folder_;
    std::uint16_t port_ = 0;
    std::uint16_t tlsPort_ = 0;
    QProcess process_;
    QString log_;

    std::unique_ptr<StopSignal> stop_;
    std::thread source_;
};

}  // namespace ludro::test
