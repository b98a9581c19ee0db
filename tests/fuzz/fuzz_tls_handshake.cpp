// The engine's TLS client taking what a server sends in its first flight:
// the input, after a first byte of choices (bit 0: the connection ends with
// the input; bit 1: the server is asked for by address, not name), is all
// that arrives. Whatever it holds, the handshake waits for more or ends with
// a text for the user; it never goes through without a certificate of a
// trusted authority.

#include "tls_session.h"

#include "fuzz_input.h"

#include <openssl/bio.h>

#include <memory>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The server's half holds the input; what the client sends stays unread in its own.
    BIO *client = nullptr, *server = nullptr;
    fuzz::require(BIO_new_bio_pair(&client, 0, &server, size) == 1);
    fuzz::require(BIO_write(server, data + 1, static_cast<int>(size - 1)) == static_cast<int>(size - 1) || size == 1);
    if (data[0] & 1)
        BIO_shutdown_wr(server);
    const std::unique_ptr<BIO, decltype(&BIO_free)> serverHalf(server, &BIO_free);  // after the session
    sonark::TlsSession session(client, (data[0] & 2) ? "127.0.0.1" : "radio.example");
    try {
        // Each step takes what it can; once all arrived, one more asks for more.
        for (std::size_t before = ~std::size_t{0}; before != BIO_ctrl_pending(client);) {
            before = BIO_ctrl_pending(client);
            fuzz::require(session.handshake() != sonark::TlsSession::Wait::None);
        }
    } catch (const std::runtime_error &e) {
        const std::string text = e.what();
        fuzz::require(text.rfind("TLS", 0) == 0 || text.rfind("Connection to ", 0) == 0);
    }
    return 0;
}
