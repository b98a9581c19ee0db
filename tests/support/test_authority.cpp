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

void check(bool ok, const char *what)
{
    if (!ok)
        throw std::runtime_error(std::string("TestAuthority: ") + what + " failed");
}

Key newKey()
{
    Key key(EVP_EC_gen("P-256"), &EVP_PKEY_free);
    check(key != nullptr, "key generation");
    return key;
}

template <typename Write>
std::string pem(Write write)
{
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new(BIO_s_mem()), &BIO_free);
    check(bio && write(bio.get()) == 1, "PEM writing");
    char *data = nullptr;
    const long size = BIO_get_mem_data(bio.get(), &data);
    return std::string(data, static_cast<std::size_t>(size));
}

void writeFile(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    check(out.good(), "writing a file");
}

void addExtension(X509 *certificate, X509 *issuer, int nid, const std::string &value)
{
    X509V3_CTX context;
    X509V3_set_ctx(&context, issuer, certificate, nullptr, nullptr, 0);
    X509_EXTENSION *extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value.c_str());
    check(extension != nullptr, "an extension");
    X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
}

// The names as a subjectAltName value: "DNS:localhost,IP:127.0.0.1".
std::string alternativeNames(const std::vector<std::string> &names)
{
    std::string value;
    for (const std::string &name : names) {
        const bool address =
            name.find_first_not_of("0123456789.") == std::string::npos || name.find(':') != std::string::npos;
        if (!value.empty())
            value += ',';
        value += address ? "IP:" : "DNS:";
        value += name;
    }
    return value;
}

// Signed later, once its extensions are in; `issuer` null for a self-signed one.
Certificate makeCertificate(const std::string &commonName, EVP_PKEY *key, X509 *issuer, long validFrom, long validTo)
{
    Certificate certificate(X509_new(), &X509_free);
    check(certificate != nullptr, "a certificate");
    X509 *c = certificate.get();
    X509_set_version(c, 2);
    unsigned char serial[16];
    RAND_bytes(serial, sizeof serial);
    serial[0] &= 0x7f;
    BIGNUM *number = BN_bin2bn(serial, sizeof serial, nullptr);
    BN_to_ASN1_INTEGER(number, X509_get_serialNumber(c));
    BN_free(number);
    X509_gmtime_adj(X509_getm_notBefore(c), validFrom);
    X509_gmtime_adj(X509_getm_notAfter(c), validTo);
    X509_set_pubkey(c, key);
    X509_NAME *name = X509_get_subject_name(c);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_UTF8, reinterpret_cast<const unsigned char *>(commonName.c_str()),
                               -1, -1, 0);
    X509_set_issuer_name(c, issuer ? X509_get_subject_name(issuer) : name);
    addExtension(c, issuer ? issuer : c, NID_subject_key_identifier, "hash");
    if (issuer)
        addExtension(c, issuer, NID_authority_key_identifier, "keyid:always");
    return certificate;
}

void sign(X509 *certificate, EVP_PKEY *key)
{
    check(X509_sign(certificate, key, EVP_sha256()) > 0, "signing");
}

}  // namespace

TestAuthority::TestAuthority(std::string folder)
    : folder_(std::move(folder)), certificateFile_(folder_ + "/authority.pem")
{
    const Key key = newKey();
    Certificate certificate = makeCertificate("Ludro Test Authority", key.get(), nullptr, -86400, 30 * 86400);
    addExtension(certificate.get(), certificate.get(), NID_basic_constraints, "critical,CA:TRUE");
    addExtension(certificate.get(), certificate.get(), NID_key_usage, "critical,keyCertSign,cRLSign");
    sign(certificate.get(), key.get());
    keyPem_ =
        pem([&](BIO *bio) { return PEM_write_bio_PrivateKey(bio, key.get(), nullptr, nullptr, 0, nullptr, nullptr); });
    certificatePem_ = pem([&](BIO *bio) { return PEM_write_bio_X509(bio, certificate.get()); });
    writeFile(certificateFile_, certificatePem_);
}

TestAuthority::Issued TestAuthority::issue(const std::string &name, const Request &request) const
{
    std::unique_ptr<BIO, decltype(&BIO_free)> bio(BIO_new_mem_buf(keyPem_.data(), static_cast<int>(keyPem_.size())),
                                                  &BIO_free);
    const Key authorityKey(PEM_read_bio_PrivateKey(bio.get(), nullptr, nullptr, nullptr), &EVP_PKEY_free);
    bio.reset(BIO_new_mem_buf(certificatePem_.data(), static_cast<int>(certificatePem_.size())));
    const Certificate authority(PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr), &X509_free);
    check(authorityKey && authority, "reading the authority");

    const Key key = newKey();
    X509 *issuer = request.selfSigned ? nullptr : authority.get();
    Certificate certificate = makeCertificate(request.names.empty() ? name : request.names.front(), key.get(), issuer,
                                              request.validFromSeconds, request.validToSeconds);
    addExtension(certificate.get(), issuer ? issuer : certificate.get(), NID_subject_alt_name,
                 alternativeNames(request.names));
    addExtension(certificate.get(), issuer ? issuer : certificate.get(), NID_ext_key_usage, "serverAuth");
    sign(certificate.get(), request.selfSigned ? key.get() : authorityKey.get());

    Issued issued{folder_ + "/" + name + ".pem", folder_ + "/" + name + ".key", folder_ + "/" + name + "-combined.pem"};
    const std::string certificateText = pem([&](BIO *out) { return PEM_write_bio_X509(out, certificate.get()); });
    const std::string keyText =
        pem([&](BIO *out) { return PEM_write_bio_PrivateKey(out, key.get(), nullptr, nullptr, 0, nullptr, nullptr); });
    writeFile(issued.certificateFile, certificateText);
    writeFile(issued.keyFile, keyText);
    writeFile(issued.combinedFile, certificateText + keyText);
    return issued;
}

}  // namespace ludro::test
