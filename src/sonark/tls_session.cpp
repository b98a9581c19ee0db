#include "tls_session.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>

namespace sonark {

namespace {

using ContextPointer = std::shared_ptr<SSL_CTX>;

// One context for every connection: loading the system's store takes
// milliseconds. It is made again when the variables that name the store
// (SSL_CERT_FILE, SSL_CERT_DIR) change, so a test can trust an authority of
// its own.
ContextPointer clientContext()
{
    static std::mutex mutex;
    static std::string madeFor;
    static ContextPointer context;
    const char *file = std::getenv("SSL_CERT_FILE");
    const char *dir = std::getenv("SSL_CERT_DIR");
    const std::string key = std::string(file ? file : "") + '\n' + (dir ? dir : "");
    std::lock_guard lock(mutex);
    if (context && key == madeFor)
        return context;
    ContextPointer made(SSL_CTX_new(TLS_client_method()), &SSL_CTX_free);
    if (!made || !SSL_CTX_set_min_proto_version(made.get(), TLS1_2_VERSION))
        throw std::runtime_error("TLS cannot be set up");
    SSL_CTX_set_verify(made.get(), SSL_VERIFY_PEER, nullptr);
    // The file's authorities alone, as curl's --cacert: the same for the
    // program's HTTP client, whose Qt does not read the variable.
    if (file && *file)
        SSL_CTX_load_verify_file(made.get(), file);
    else
        SSL_CTX_set_default_verify_paths(made.get());
    // Radio servers close without a TLS goodbye; lengths guard the documents.
    SSL_CTX_set_options(made.get(), SSL_OP_IGNORE_UNEXPECTED_EOF);
    SSL_CTX_set_mode(made.get(), SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    ERR_clear_error();
    context = std::move(made);
    madeFor = key;
    return context;
}

bool isAddressLiteral(const std::string &host)
{
    unsigned char bytes[16];
    return inet_pton(AF_INET, host.c_str(), bytes) == 1 || inet_pton(AF_INET6, host.c_str(), bytes) == 1;
}

std::string certificateFault(long result)
{
    switch (result) {
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return "has expired";
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return "is not valid yet";
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
        return "is self-signed";
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
        return "is for another name";
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return "is not from a trusted authority";
    default:
        return std::string("is not valid: ") + X509_verify_cert_error_string(result);
    }
}

bool isVersionRefusal(unsigned long error)
{
    if (ERR_GET_LIB(error) != ERR_LIB_SSL)
        return false;
    const int reason = ERR_GET_REASON(error);
    return reason == SSL_R_UNSUPPORTED_PROTOCOL || reason == SSL_R_TLSV1_ALERT_PROTOCOL_VERSION ||
           reason == SSL_R_NO_PROTOCOLS_AVAILABLE || reason == SSL_R_WRONG_SSL_VERSION;
}

std::string reasonText(unsigned long error)
{
    const char *reason = ERR_reason_error_string(error);
    return reason ? reason : "unknown error";
}

}  // namespace

TlsSession::TlsSession(BIO *bio, const std::string &host) : host_(host)
{
    std::unique_ptr<BIO, decltype(&BIO_free_all)> owned(bio, &BIO_free_all);
    const ContextPointer context = clientContext();
    ssl_ = SSL_new(context.get());  // holds its own reference to the context
    if (!ssl_)
        throw std::runtime_error("TLS cannot be set up");
    SSL_set_bio(ssl_, owned.get(), owned.get());
    owned.release();
    const bool literal = isAddressLiteral(host);
    const bool named =
        literal ? X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(ssl_), host.c_str()) == 1
                : SSL_set1_host(ssl_, host.c_str()) == 1 && SSL_set_tlsext_host_name(ssl_, host.c_str()) == 1;
    if (!named) {
        SSL_free(ssl_);
        throw PermanentStreamError("TLS cannot check the name " + host);
    }
    SSL_set_connect_state(ssl_);
}

TlsSession::~TlsSession()
{
    SSL_free(ssl_);
}

TlsSession::Wait TlsSession::handshake()
{
    ERR_clear_error();
    errno = 0;
    const int result = SSL_do_handshake(ssl_);
    if (result == 1)
        return Wait::None;
    const int error = SSL_get_error(ssl_, result);
    if (error == SSL_ERROR_WANT_READ)
        return Wait::Readable;
    if (error == SSL_ERROR_WANT_WRITE)
        return Wait::Writable;
    handshakeFailed(error);
}

void TlsSession::handshakeFailed(int error)
{
    const int systemError = errno;
    const long verified = SSL_get_verify_result(ssl_);
    const unsigned long first = ERR_peek_error();
    ERR_clear_error();
    if (verified != X509_V_OK)
        throw PermanentStreamError("TLS: the certificate of " + host_ + " " + certificateFault(verified));
    if (isVersionRefusal(first))
        throw PermanentStreamError("TLS: " + host_ + " offers no TLS version from 1.2 on");
    if (first == 0 && (error == SSL_ERROR_SYSCALL || error == SSL_ERROR_ZERO_RETURN)) {
        char buffer[256];
        throw std::runtime_error(
            "TLS: " + host_ + " closed the connection during the handshake" +
            (systemError ? std::string(": ") + strerror_r(systemError, buffer, sizeof buffer) : std::string()));
    }
    throw std::runtime_error("TLS: the handshake with " + host_ + " failed: " + reasonText(first));
}

TlsSession::Io TlsSession::read(void *buffer, std::size_t size)
{
    ERR_clear_error();
    errno = 0;
    std::size_t got = 0;
    const int result = SSL_read_ex(ssl_, buffer, size, &got);
    return result == 1 ? Io{got, Wait::None} : outcome(result, "reading from");
}

TlsSession::Io TlsSession::write(const void *data, std::size_t size)
{
    ERR_clear_error();
    errno = 0;
    std::size_t sent = 0;
    const int result = SSL_write_ex(ssl_, data, size, &sent);
    return result == 1 ? Io{sent, Wait::None} : outcome(result, "writing to");
}

TlsSession::Io TlsSession::outcome(int result, const char *doing)
{
    const int systemError = errno;
    const int error = SSL_get_error(ssl_, result);
    const unsigned long first = ERR_peek_error();
    ERR_clear_error();
    switch (error) {
    case SSL_ERROR_WANT_READ:
        return {0, Wait::Readable};
    case SSL_ERROR_WANT_WRITE:
        return {0, Wait::Writable};
    case SSL_ERROR_ZERO_RETURN:
        return {0, Wait::None};
    case SSL_ERROR_SYSCALL:
        if (first == 0) {
            if (systemError == 0)
                return {0, Wait::None};
            char buffer[256];
            throw std::runtime_error("Connection to " + host_ +
                                     " lost: " + strerror_r(systemError, buffer, sizeof buffer));
        }
        break;
    default:
        break;
    }
    throw std::runtime_error(std::string("TLS: ") + doing + " " + host_ + " failed: " + reasonText(first));
}

}  // namespace sonark
