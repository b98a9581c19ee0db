#pragma once

// The client side of TLS on one connection, with OpenSSL: TLS 1.2 or newer,
// the server's certificate verified against the system's store with the host
// name checked (a file named by SSL_CERT_FILE holds the only authorities
// trusted; SSL_CERT_DIR replaces the store's folder).
// Works on any BIO (a socket's, or memory in a fuzz target) and never waits
// by itself: an operation that needs the network says which way it waits.

#include "stream_error.h"

#include <cstddef>
#include <string>

typedef struct bio_st BIO;
typedef struct ssl_st SSL;

namespace sonark {

class TlsSession {
public:
    enum class Wait { None, Readable, Writable };
    struct Io {
        std::size_t bytes = 0;  // 0 with Wait::None: the server ended the stream
        Wait wait = Wait::None;
    };

    // Takes the BIO. `host` is checked against the certificate and sent as
    // the server's name. Throws std::runtime_error when TLS cannot be set up.
    TlsSession(BIO *bio, const std::string &host);
    ~TlsSession();
    TlsSession(const TlsSession &) = delete;
    TlsSession &operator=(const TlsSession &) = delete;

    // Wait::None once the handshake is done. A certificate that is not
    // valid, or a server without TLS 1.2, throws PermanentStreamError; any
    // other failure std::runtime_error, both with a text for the user.
    Wait handshake();
    Io read(void *buffer, std::size_t size);
    Io write(const void *data, std::size_t size);

private:
    Io outcome(int result, const char *doing);
    [[noreturn]] void handshakeFailed(int error);

    SSL *ssl_ = nullptr;
    std::string host_;
};

}  // namespace sonark
