#pragma once

// A TLS front on 127.0.0.1 for a plain loopback server of the test (an
// HttpTestServer, say): it takes TLS with the given certificate and passes
// the bytes both ways to the upstream port, one thread per connection. The
// destructor ends every connection and joins promptly.

#include <atomic>
#include <memory>
#include <cstdint>
#include <mutex>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

typedef struct ssl_ctx_st SSL_CTX;

namespace ludro::test {

class StopSignal;

class TlsTestProxy {
public:
    struct Options {
        std::string certificateFile;
        std::string keyFile;
        bool onlyTls10 = false;  // a server from before TLS 1.2
    };

    TlsTestProxy(std::uint16_t upstreamPort, const Options &options);
    ~TlsTestProxy();
    TlsTestProxy(const TlsTestProxy &) = delete;
    TlsTestProxy &operator=(const TlsTestProxy &) = delete;

    std::uint16_t port() const { return port_; }
    // "https://<host>:<port><path>"
    std::string url(std::string_view path = "/", std::string_view host = "127.0.0.1") const
    {
        return "https://" + std::string(host) + ":" + std::to_string(port_) + std::string(path);
    }
    // Handshakes that went through, and those of them that resumed a session.
    int handshakes() const { return handshakes_.load(); }
    int resumptions() const { return resumptions_.load(); }

private:
    void acceptLoop();
    void serve(int client);

    std::uint16_t upstreamPort_;
    SSL_CTX *context_ = nullptr;
    std::unique_ptr<StopSignal> stop_;
    std::uint16_t port_ = 0;
    int listenFd_ = -1;
    std::atomic<bool> stopping_{false};
    std::atomic<int> handshakes_{0};
    std::atomic<int> resumptions_{0};
    std::mutex mutex_;
    std::set<int> open_;  // sockets of connections in progress, shut down to stop
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

}  // namespace ludro::test
