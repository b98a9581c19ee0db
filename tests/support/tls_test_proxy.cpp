#include "tls_test_proxy.h"
#include "send_all.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <csignal>
#include <stdexcept>

namespace ludro::test {

namespace {

void fail(const std::string &what)
{
    throw std::runtime_error("TlsTestProxy: " + what);
}

bool writeAll(SSL *ssl, const char *data, std::size_t size)
{
    while (size > 0) {
        std::size_t written = 0;
        if (SSL_write_ex(ssl, data, size, &written) != 1)
            return false;
        data += written;
        size -= written;
    }
    return true;
}

int connectUpstream(std::uint16_t port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

}  // namespace

TlsTestProxy::TlsTestProxy(std::uint16_t upstreamPort, const Options &options) : upstreamPort_(upstreamPort)
{
    // A client that goes away mid-write must not end the test process.
    std::signal(SIGPIPE, SIG_IGN);
    context_ = SSL_CTX_new(TLS_server_method());
    if (!context_)
        fail("no context");
    if (options.onlyTls10) {
        SSL_CTX_set_security_level(context_, 0);
        SSL_CTX_set_min_proto_version(context_, TLS1_VERSION);
        SSL_CTX_set_max_proto_version(context_, TLS1_VERSION);
        SSL_CTX_set_cipher_list(context_, "DEFAULT:@SECLEVEL=0");
    }
    if (SSL_CTX_use_certificate_chain_file(context_, options.certificateFile.c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(context_, options.keyFile.c_str(), SSL_FILETYPE_PEM) != 1)
        fail("cannot read " + options.certificateFile + " or " + options.keyFile);

    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 64) != 0 ||
        ::getsockname(listenFd_, reinterpret_cast<sockaddr *>(&address), &length) != 0 ||
        ::pipe2(stopPipe_, O_CLOEXEC) != 0)
        fail("cannot listen");
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

TlsTestProxy::~TlsTestProxy()
{
    stopping_ = true;
    const char stop = 0;
    if (::write(stopPipe_[1], &stop, 1) < 0) {
    }
    acceptor_.join();
    {
        std::lock_guard lock(mutex_);
        for (int fd : open_)
            ::shutdown(fd, SHUT_RDWR);
    }
    for (std::thread &connection : connections_)
        connection.join();
    ::close(listenFd_);
    ::close(stopPipe_[0]);
    ::close(stopPipe_[1]);
    SSL_CTX_free(context_);
}

std::string TlsTestProxy::url(std::string_view path, std::string_view host) const
{
    return "https://" + std::string(host) + ":" + std::to_string(port_) + std::string(path);
}

void TlsTestProxy::acceptLoop()
{
    for (;;) {
        pollfd entries[2] = {{listenFd_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
        if (::poll(entries, 2, -1) < 0 || entries[1].revents)
            return;
        const int client = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        std::lock_guard lock(mutex_);
        open_.insert(client);
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
        upstream = connectUpstream(upstreamPort_);
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
        if (SSL_pending(ssl) > 0 || entries[0].revents) {
            std::size_t n = 0;
            if (SSL_read_ex(ssl, buffer, sizeof buffer, &n) != 1 || !sendAll(upstream, buffer, n))
                break;
        }
        if (entries[1].revents) {
            const ssize_t n = ::recv(upstream, buffer, sizeof buffer, 0);
            if (n <= 0 || !writeAll(ssl, buffer, static_cast<std::size_t>(n)))
                break;
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
