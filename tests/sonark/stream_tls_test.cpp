// HTTPS streams through the engine's reader: certificates checked against an
// authority of the test's (SSL_CERT_FILE), redirects between http and https,
// refusals that say why and never fall back to plain HTTP; and answers that
// are station lists, which come back as text instead of audio.

#include "read_stream.h"
#include "sonark/station_list_answer.h"
#include "support/http_test_server.h"
#include "support/test_authority.h"
#include "support/tls_test_proxy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using namespace stream_test;
using ludro::test::HttpTestServer;
using ludro::test::TestAuthority;
using ludro::test::TlsTestProxy;

class TlsStreams : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char folder[] = "/tmp/ludro-tls-XXXXXX";
        ASSERT_NE(::mkdtemp(folder), nullptr);
        folder_ = folder;
        authority_ = std::make_unique<TestAuthority>(folder_);
        ::setenv("SSL_CERT_FILE", authority_->certificateFile().c_str(), 1);
    }
    static void TearDownTestSuite()
    {
        ::unsetenv("SSL_CERT_FILE");
        authority_.reset();
        std::filesystem::remove_all(folder_);
    }

    static std::unique_ptr<TlsTestProxy> front(const HttpTestServer &server, const TestAuthority::Issued &certificate,
                                               bool onlyTls10 = false)
    {
        return std::make_unique<TlsTestProxy>(
            server.port(), TlsTestProxy::Options{certificate.certificateFile, certificate.keyFile, onlyTls10});
    }

    static inline std::string folder_;
    static inline std::unique_ptr<TestAuthority> authority_;
};

TEST_F(TlsStreams, HttpsReadsLikeHttpAndRedirectsCrossBothWays)
{
    HttpTestServer server;
    const auto tls = front(server, authority_->issue("server"));
    const std::string song(200 * 1024, 's');
    server.on("/song", HttpTestServer::ok(song));
    server.on("/to-https", HttpTestServer::redirect(302, tls->url("/song", "localhost")));
    server.on("/to-http", HttpTestServer::redirect(301, server.url("/song")));

    const Outcome direct = readStream(tls->url("/song"));
    EXPECT_EQ(direct.status, Status::Ended) << direct.error;
    EXPECT_TRUE(direct.audio == song);
    const Outcome up = readStream(server.url("/to-https"));
    EXPECT_EQ(up.status, Status::Ended) << up.error;
    EXPECT_TRUE(up.audio == song);
    const Outcome down = readStream(tls->url("/to-http"));
    EXPECT_EQ(down.status, Status::Ended) << down.error;
    EXPECT_TRUE(down.audio == song);
    EXPECT_EQ(tls->handshakes(), 3);
    const std::string request = server.requests().at(2);
    EXPECT_NE(request.find("\r\nHost: localhost:" + std::to_string(tls->port()) + "\r\n"), std::string::npos)
        << request;
}

TEST_F(TlsStreams, CertificatesThatAreNotValidAndOldTlsAreRefusedWithTheReason)
{
    std::filesystem::create_directory(folder_ + "/stranger");
    const TestAuthority stranger(folder_ + "/stranger");
    struct Case {
        std::string name;
        TestAuthority::Issued certificate;
        bool onlyTls10 = false;
        std::string error;
    };
    const std::vector<Case> cases = {
        {"wrong name", authority_->issue("elsewhere", {.names = {"radio.example"}}), false,
         "TLS: the certificate of 127.0.0.1 is for another name"},
        {"expired", authority_->issue("expired", {.validFromSeconds = -2 * 86400, .validToSeconds = -86400}), false,
         "TLS: the certificate of 127.0.0.1 has expired"},
        {"self-signed", authority_->issue("own", {.selfSigned = true}), false,
         "TLS: the certificate of 127.0.0.1 is self-signed"},
        {"unknown authority", stranger.issue("stranger"), false,
         "TLS: the certificate of 127.0.0.1 is not from a trusted authority"},
        {"TLS 1.0 only", authority_->issue("old"), true, "TLS: 127.0.0.1 offers no TLS version from 1.2 on"},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        HttpTestServer server;
        server.setDefault(HttpTestServer::ok("never sent"));
        const auto tls = front(server, test.certificate, test.onlyTls10);
        const Outcome outcome = readStream(tls->url("/radio"));
        EXPECT_EQ(outcome.status, Status::Failed);
        EXPECT_EQ(outcome.error, test.error);
        EXPECT_TRUE(outcome.failedForGood);
        EXPECT_EQ(outcome.audio, "");
        EXPECT_TRUE(server.requests().empty()) << "nothing may reach the server unencrypted";
    }

    HttpTestServer plain;
    plain.setDefault(HttpTestServer::ok("plain"));
    const Outcome mistaken = readStream("https://127.0.0.1:" + std::to_string(plain.port()) + "/", {.timeoutMs = 300});
    EXPECT_EQ(mistaken.status, Status::Failed);
    EXPECT_EQ(mistaken.audio, "") << "a plain server is never read as the https one";
}

// Station lists by type or by their first line; a long one is cut at a line
// end within 64 KB; audio typed as text stays audio; radio servers are live.
TEST_F(TlsStreams, StationListsComeBackAsText)
{
    HttpTestServer server;
    const auto tls = front(server, authority_->issue("lists"));
    const std::string pls = "[playlist]\nFile1=http://a.example/live\nNumberOfEntries=1\n";
    std::string huge = "#EXTM3U\n";
    for (int i = 0; huge.size() < 3u * 64 * 1024; ++i)
        huge += "http://radio.example/station/" + std::to_string(i) + "\n";
    const std::string mp3("\xff\xfb\x90\x64" + std::string(4000, '\x55'));
    server.on("/typed.pls", HttpTestServer::ok(pls, "audio/x-scpls"));
    server.on("/plain.m3u", HttpTestServer::ok("\r\n  http://b.example/\n", "text/plain"));
    server.on("/huge.m3u", HttpTestServer::ok(huge, "application/octet-stream"));
    server.on("/song", HttpTestServer::ok(mp3, "text/plain"));
    server.on("/radio", HttpTestServer::Response().send(HttpTestServer::icyHead(0) + mp3));

    const Outcome typed = readStream(tls->url("/typed.pls"));
    EXPECT_EQ(typed.status, Status::StationList);
    EXPECT_EQ(typed.stationList, pls);
    EXPECT_EQ(typed.audio, "");
    EXPECT_EQ(readStream(server.url("/plain.m3u")).stationList, "\r\n  http://b.example/\n");
    const Outcome cut = readStream(server.url("/huge.m3u"));
    EXPECT_EQ(cut.status, Status::StationList);
    EXPECT_LE(cut.stationList.size(), 64u * 1024);
    EXPECT_GT(cut.stationList.size(), 63u * 1024);
    EXPECT_EQ(cut.stationList, huge.substr(0, cut.stationList.size()));
    EXPECT_EQ(cut.stationList.back(), '\n');

    const Outcome song = readStream(server.url("/song"));
    EXPECT_EQ(song.status, Status::Ended);
    EXPECT_TRUE(song.audio == mp3);
    EXPECT_FALSE(song.live);
    EXPECT_TRUE(readStream(server.url("/radio")).live);
}

// A list's first read may end anywhere, inside its byte-order mark too.
TEST(StationListAnswer, ABodyIsToldByItsFirstBytesWhereverTheReadEnds)
{
    using sonark::AnswerKind;
    using sonark::answerKind;
    const std::string list = "\xEF\xBB\xBF\r\n  http://radio.example/\n";
    for (std::size_t part = 0; part < list.size(); ++part) {
        const AnswerKind early = answerKind("application/octet-stream", list.substr(0, part), false);
        EXPECT_TRUE(early == AnswerKind::Undecided || early == AnswerKind::StationList) << part;
    }
    EXPECT_EQ(answerKind("application/octet-stream", list, true), AnswerKind::StationList);
    EXPECT_EQ(answerKind("", "\xEF\xBB", true), AnswerKind::Audio);
    EXPECT_EQ(answerKind("text/plain", "ID3\x04", false), AnswerKind::Audio);
    EXPECT_EQ(answerKind("Audio/X-MpegURL; charset=utf-8", "", false), AnswerKind::StationList);
}

}  // namespace
