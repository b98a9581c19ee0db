#pragma once

// A certificate authority made afresh for a test, in a folder of the test's:
// its certificate for SSL_CERT_FILE, and the server certificates it signs.
// TEST-ONLY keys: made at run time, never committed, trusted by nothing else.

#include <memory>
#include <string>
#include <vector>

struct evp_pkey_st;
struct x509_st;

namespace ludro::test {

class TestAuthority {
public:
    struct Issued {
        std::string certificateFile;
        std::string keyFile;
        std::string combinedFile;  // certificate then key, as Icecast reads them
    };
    struct Request {
        std::vector<std::string> names = {"localhost", "127.0.0.1"};  // DNS names and IP addresses
        long validFromSeconds = -3600;                                // relative to now
        long validToSeconds = 7 * 86400;
        bool selfSigned = false;  // signed by its own key, not the authority's
    };

    // Writes "authority.pem" into `folder`.
    explicit TestAuthority(std::string folder);

    const std::string &certificateFile() const { return certificateFile_; }
    // "<folder>/<name>.pem", "<name>.key" and "<name>-combined.pem".
    Issued issue(const std::string &name, const Request &request) const;
    Issued issue(const std::string &name) const { return issue(name, Request{}); }

private:
    std::string folder_;
    std::string certificateFile_;
    std::shared_ptr<evp_pkey_st> key_;
    std::shared_ptr<x509_st> certificate_;
};

}  // namespace ludro::test
