#include "test_authority.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/x509v3.h>

#include <fstream>
#include <memory>
#include <stdexcept>

namespace ludro::test {

namespace {

using Key = std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)>;
using Certificate = std::unique_ptr<X509, decltype(&X509_free)>;
using Bio = std::unique_ptr<BIO, decltype(&BIO_free)>;

void check(bool ok, const char *what)
{
    if (!ok)
        throw std::runtime_error(std::string("TestAuthority: ") + what + " failed");
}

// The key's PEM text, or else the certificate's.
std::string pem(EVP_PKEY *key, X509 *certificate)
{
    const Bio bio(BIO_new(BIO_s_mem()), &BIO_free);
    check(key ? PEM_write_bio_PrivateKey(bio.get(), key, nullptr, nullptr, 0, nullptr, nullptr) == 1
              : PEM_write_bio_X509(bio.get(), certificate) == 1,
          "PEM writing");
    char *data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return std::string(data, static_cast<std::size_t>(size));
}

void writeFile(const std::string &path, const std::string &text)
{
    check((std::ofstream(path, std::ios::binary | std::ios::trunc) << text).good(), "writing a file");
}

void addExtension(X509 *certificate, X509 *issuer, int nid, const std::string &value)
{
    X509V3_CTX context;
    X509V3_set_ctx(&context, issuer ? issuer : certificate, certificate, nullptr, nullptr, 0);
    X509_EXTENSION *extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str());
    check(extension && X509_add_ext(certificate, extension, -1) == 1, "an extension");
    X509_EXTENSION_free(extension);
}

// A certificate for `key`, to be signed once its extensions are in; `issuer` null for a self-signed one.
Certificate makeCertificate(const std::string &commonName, EVP_PKEY *key, X509 *issuer, long validFrom, long validTo)
{
    Certificate certificate(X509_new(), &X509_free);
    X509 *c = certificate.get();
    std::uint32_t serial = 0;
    check(c && RAND_bytes(reinterpret_cast<unsigned char *>(&serial), sizeof serial) == 1, "a certificate");
    ASN1_INTEGER_set(X509_get_serialNumber(c), static_cast<long>(serial >> 1));
    X509_set_version(c, 2);
    X509_gmtime_adj(X509_getm_notBefore(c), validFrom);
    X509_gmtime_adj(X509_getm_notAfter(c), validTo);
    X509_set_pubkey(c, key);
    X509_NAME *name = X509_get_subject_name(c);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char *>(commonName.c_str()),
                               -1, -1, 0);
    X509_set_issuer_name(c, issuer ? X509_get_subject_name(issuer) : name);
    addExtension(c, issuer, NID_subject_key_identifier, "hash");
    if (issuer)
        addExtension(c, issuer, NID_authority_key_identifier, "keyid:always");
    return certificate;
}

}  // namespace

TestAuthority::TestAuthority(std::string folder)
    : folder_(std::move(folder)), certificateFile_(folder_ + "/authority.pem"),
      key_(EVP_EC_gen("P-256"), &EVP_PKEY_free)
{
    certificate_ = makeCertificate("Ludro Test Authority", key_.get(), nullptr, -86400, 30 * 86400);
    addExtension(certificate_.get(), nullptr, NID_basic_constraints, "critical,CA:TRUE");
    addExtension(certificate_.get(), nullptr, NID_key_usage, "critical,keyCertSign,cRLSign");
    check(key_ && X509_sign(certificate_.get(), key_.get(), EVP_sha256()) > 0, "signing");
    writeFile(certificateFile_, pem(nullptr, certificate_.get()));
}

TestAuthority::Issued TestAuthority::issue(const std::string &name, const Request &request) const
{
    const Key key(EVP_EC_gen("P-256"), &EVP_PKEY_free);
    check(key != nullptr, "a key");
    X509 *issuer = request.selfSigned ? nullptr : certificate_.get();
    const Certificate certificate = makeCertificate(request.names.empty() ? name : request.names.front(), key.get(),
                                                    issuer, request.validFromSeconds, request.validToSeconds);
    std::string alternativeNames;  // "DNS:localhost,IP:127.0.0.1"
    for (const std::string &each : request.names) {
        const bool address = each.find_first_not_of("0123456789.") == std::string::npos || each.find(':') != each.npos;
        alternativeNames.append(alternativeNames.empty() ? "" : ",").append(address ? "IP:" : "DNS:").append(each);
    }
    addExtension(certificate.get(), issuer, NID_subject_alt_name, alternativeNames);
    addExtension(certificate.get(), issuer, NID_ext_key_usage, "serverAuth");
    check(X509_sign(certificate.get(), issuer ? key_.get() : key.get(), EVP_sha256()) > 0, "signing");

    Issued issued{folder_ + "/" + name + ".pem", folder_ + "/" + name + ".key", folder_ + "/" + name + "-combined.pem"};
    const std::string certificateText = pem(nullptr, certificate.get());
    writeFile(issued.certificateFile, certificateText);
    writeFile(issued.keyFile, pem(key.get(), nullptr));
    writeFile(issued.combinedFile, certificateText + pem(key.get(), nullptr));
    return issued;
}

}  // namespace ludro::test
