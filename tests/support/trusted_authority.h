#pragma once

// A test authority in a fresh folder, trusted through SSL_CERT_FILE while it
// lives; TLS fronts with its certificates, and the certificates a client
// must refuse, each with the reason it gives.

#include "support/test_authority.h"
#include "support/tls_test_proxy.h"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace ludro::test {

inline std::string freshFolder()
{
    std::string folder = (std::filesystem::temp_directory_path() / "ludro-tls-XXXXXX").string();
    return ::mkdtemp(folder.data()) ? folder : std::string();
}

class TrustedAuthority : public TestAuthority {
public:
    explicit TrustedAuthority(const std::string &folder = freshFolder()) : TestAuthority(folder), folder_(folder)
    {
        ::setenv("SSL_CERT_FILE", certificateFile().c_str(), 1);
    }
    ~TrustedAuthority()
    {
        ::unsetenv("SSL_CERT_FILE");
        std::filesystem::remove_all(folder_);
    }

    // A TLS front for the loopback server on `port`.
    static std::unique_ptr<TlsTestProxy> front(std::uint16_t port, const Issued &certificate, bool onlyTls10 = false)
    {
        return std::make_unique<TlsTestProxy>(
            port, TlsTestProxy::Options{certificate.certificateFile, certificate.keyFile, onlyTls10});
    }

    struct Refused {
        Issued certificate;
        bool onlyTls10;
        std::string reason;
    };
    // For a server at 127.0.0.1.
    std::vector<Refused> refusedCertificates() const
    {
        std::filesystem::create_directory(folder_ + "/stranger");
        const TestAuthority stranger(folder_ + "/stranger");
        const std::string of = "TLS: the certificate of 127.0.0.1 ";
        return {
            {issue("elsewhere", {.names = {"radio.example"}}), false, of + "is for another name"},
            {issue("expired", {.validFromSeconds = -2 * 86400, .validToSeconds = -86400}), false, of + "has expired"},
            {issue("own", {.selfSigned = true}), false, of + "is self-signed"},
            {stranger.issue("stranger"), false, of + "is not from a trusted authority"},
            {issue("old"), true, "TLS: 127.0.0.1 offers no TLS version from 1.2 on"},
        };
    }

private:
    std::string folder_;
};

}  // namespace ludro::test
