#pragma once

// A small scripted HTTP server on 127.0.0.1 for tests and benchmarks. It
// listens on a port chosen by the OS, serves one connection at a time on its
// own thread (so a client in a nested event loop, or a blocking one, meets it
// as a remote server), records the raw request (head and body) of every
// connection, and answers each with a scripted response. The destructor stops
// and joins promptly, even mid-response.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace ludro::test {

class StopSignal;

class HttpTestServer {
public:
    // What the server does on one connection: sends the bytes, then closes,
    // or after stall() keeps the connection open without sending until the
    // client closes it or the server stops, or after endless() sends its
    // bytes over and over as fast as the client takes them.
    struct Response {
        std::string bytes;
        bool stalls = false;
        std::string repeated;

        Response &send(std::string more) { return bytes += more, *this; }
        Response &stall() { return stalls = true, *this; }
        Response &endless(std::string again) { return repeated = std::move(again), *this; }
    };

    using Headers = std::vector<std::pair<std::string, std::string>>;

    // "<statusLine>\r\nName: value\r\n...\r\n"; `eol` "\n" gives bare-LF headers.
    static std::string head(std::string_view statusLine, const Headers &headers = {}, std::string_view eol = "\r\n");
    // HTTP/1.0 answer with the body, then close.
    static Response reply(int code, std::string_view reason, const Headers &headers = {}, std::string body = {});
    static Response ok(std::string body, std::string contentType = "audio/mpeg")
    {
        return reply(200, "OK", {{"Content-Type", std::move(contentType)}}, std::move(body));
    }
    static Response redirect(int code, std::string location)
    {
        return reply(code, code == 301 ? "Moved Permanently" : "Found", {{"Location", std::move(location)}});
    }
    // Reads the request and never answers.
    static Response silent() { return Response().stall(); }
    // "ICY 200 OK" header announcing `metaint` (0: none).
    static std::string icyHead(std::size_t metaint);
    // Interleaves audio with metadata as an ICY server does: after each
    // `metaint` audio bytes comes block i of `metadata` (an empty block when
    // the list runs out or the text is "").
    static std::string icyInterleave(std::string_view audio, std::size_t metaint,
                                     const std::vector<std::string> &metadata);

    HttpTestServer();
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer &) = delete;
    HttpTestServer &operator=(const HttpTestServer &) = delete;

    std::uint16_t port() const { return port_; }
    // "http://127.0.0.1:<port><path>"
    std::string url(std::string_view path = "/") const
    {
        return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
    }

    // Answer for an exact request target ("/a?b=1"); others get the default
    // answer (404 unless setDefault was called).
    void on(std::string target, Response response);
    void setDefault(Response response);
    // Answers every connection from its raw request instead, as a form
    // handler whose answer depends on the body. Runs on the server's thread
    // under its lock, so it must not call the server.
    void answerBy(std::function<Response(const std::string &request)> answer);

    // Raw request bytes of each connection so far, in order. A connection
    // is counted once its request was read (or after 5 s without one).
    std::vector<std::string> requests() const;
    bool waitForConnections(std::size_t count, std::chrono::milliseconds timeout) const;
    // Bytes the clients have taken so far, over all connections.
    std::uint64_t bytesSent() const { return sent_.load(); }

private:
    void serve();
    void handle(int fd);
    bool sendAll(int fd, std::string_view bytes);

    std::unique_ptr<StopSignal> stop_;
    std::uint16_t port_ = 0;
    int listenFd_ = -1;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::map<std::string, Response> routes_;
    Response default_;
    std::function<Response(const std::string &request)> answer_;
    std::vector<std::string> requests_;
    std::atomic<std::uint64_t> sent_{0};

    std::thread thread_;
};

}  // namespace ludro::test
