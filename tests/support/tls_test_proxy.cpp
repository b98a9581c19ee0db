#include "tls_test_proxy.h"
#include "loopback_socket.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

#include <csignal>

namespace ludro::test {

TlsTestProxy::TlsTestProxy(std::uint16_t upstreamPort, const Options &options)
    : upstreamPort_(upstreamPort), context_(SSL_CTX_new(TLS_server_method())), stop_(std::make_unique<StopSignal>()),
      listenFd_(listenLoopback(port_))
{
    // A client that goes away mid-write must not end the test process.
    std::signal(SIGPIPE, SIG_IGN);
    if (options.onlyTls10) {
        SSL_CTX_set_security_level(context_, 0);
        SSL_CTX_set_min_proto_version(context_, TLS1_VERSION);
        SSL_CTX_set_max_proto_version(context_, TLS1_VERSION);
        SSL_CTX_set_cipher_list(context_, "DEFAULT:@SECLEVEL=0");
    }
    if (SSL_CTX_use_certificate_chain_file(context_, options.certificateFile.c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(context_, options.keyFile.c_str(), SSL_FILETYPE_PEM) != 1)
        throw std::runtime_error("TlsTestProxy: cannot read " + options.certificateFile + " or " + options.keyFile);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

TlsTestProxy::~TlsTestProxy()
{
    stopping_ = true;
    stop_->raise();
    acceptor_.join();
    {
        std::lock_guard lock(mutex_);
        for (int fd : open_)
            ::shutdown(fd, SHUT_RDWR);
    }
    for (std::thread &connection : connections_)
        connection.join();
    ::close(listenFd_);
    SSL_CTX_free(context_);
}

void TlsTestProxy::acceptLoop()
{
    while (stop_->waitFor(listenFd_, POLLIN)) {
        const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        std::lock_guard lock(mutex_);
        if (client >= 0 && open_.insert(client).second)
            connections_.emplace_back([this, client] { serve(client); });
    }
}

void TlsTestProxy::serve(int client)
{
    SSL *ssl = SSL_new(context_);
    SSL_set_fd(ssl, client);
    int upstream = -1;
    if (SSL_accept(ssl) == 1) {
        ++handshakes_;
        resumptions_ += SSL_session_reused(ssl);
        upstream = connectLoopback(upstreamPort_);
        std::lock_guard lock(mutex_);
        if (upstream >= 0)
            open_.insert(upstream);
        if (stopping_)
            ::shutdown(client, SHUT_RDWR);
    }
    char buffer[16384];
    while (upstream >= 0) {
        pollfd entries[2] = {{client, POLLIN, 0}, {upstream, POLLIN, 0}};
        if (SSL_pending(ssl) == 0 && ::poll(entries, 2, -1) < 0)
            break;
        std::size_t n = 0;
        if ((SSL_pending(ssl) > 0 || entries[0].revents) &&
            (SSL_read_ex(ssl, buffer, sizeof buffer, &n) != 1 || !sendAll(upstream, buffer, n)))
            break;
        if (entries[1].revents) {
            const ssize_t got = ::recv(upstream, buffer, sizeof buffer, 0);
            if (got <= 0 || SSL_write_ex(ssl, buffer, static_cast<std::size_t>(got), &n) != 1)
                break;  // a whole write: the context takes no partial ones
        }
    }
    SSL_shutdown(ssl);
    SSL_free(ssl);
    ERR_clear_error();
    std::lock_guard lock(mutex_);
    for (int fd : {client, upstream})
        if (fd >= 0) {
            open_.erase(fd);
            ::close(fd);
        }
}

}  // namespace ludro::test
