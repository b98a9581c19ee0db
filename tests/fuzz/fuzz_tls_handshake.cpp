// The engine's TLS client taking what a server sends in its first flight:
// the input, after a first byte of choices (bit 0: the connection ends with
// the input; bit 1: the server is asked for by address, not name), is all
// that arrives. Whatever it holds, the handshake waits for more or ends with
// a text for the user; it never goes through without a certificate of a
// trusted authority.

#include "tls_session.h"

#include "fuzz_input.h"

#include <openssl/bio.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

struct Arriving {
    const std::uint8_t *data;
    std::size_t size;
    std::size_t at = 0;
    bool endsThere;
};

int readArriving(BIO *bio, char *out, int length)
{
    auto *in = static_cast<Arriving *>(BIO_get_data(bio));
    BIO_clear_retry_flags(bio);
    const std::size_t n = std::min(in->size - in->at, static_cast<std::size_t>(std::max(length, 0)));
    if (n == 0) {
        if (in->endsThere)
            return 0;
        BIO_set_retry_read(bio);
        return -1;
    }
    std::memcpy(out, in->data + in->at, n);
    in->at += n;
    return static_cast<int>(n);
}

// What the client sends goes nowhere.
int writeNowhere(BIO *, const char *, int length)
{
    return length;
}

long control(BIO *, int command, long, void *)
{
    return command == BIO_CTRL_FLUSH ? 1 : 0;
}

BIO_METHOD *arrivingMethod()
{
    static BIO_METHOD *method = [] {
        BIO_METHOD *m = BIO_meth_new(BIO_get_new_index() | BIO_TYPE_SOURCE_SINK, "fuzz server");
        BIO_meth_set_read(m, readArriving);
        BIO_meth_set_write(m, writeNowhere);
        BIO_meth_set_ctrl(m, control);
        return m;
    }();
    return method;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    Arriving arriving{data + 1, size - 1, 0, (data[0] & 1) != 0};
    BIO *bio = BIO_new(arrivingMethod());
    BIO_set_data(bio, &arriving);
    BIO_set_init(bio, 1);
    sonark::TlsSession session(bio, (data[0] & 2) ? "127.0.0.1" : "radio.example");
    try {
        // Each step takes what it can; once all arrived, one more asks for more.
        for (std::size_t before = ~std::size_t{0}; before != arriving.at;) {
            before = arriving.at;
            fuzz::require(session.handshake() != sonark::TlsSession::Wait::None);
        }
    } catch (const std::runtime_error &e) {
        const std::string text = e.what();
        fuzz::require(text.rfind("TLS", 0) == 0 || text.rfind("Connection to ", 0) == 0);
    }
    return 0;
}
