#pragma once

// Runs a request of the HTTP client into `sink`, or into memory.

#include "net/http_client.h"
#include "net/http_exception.h"

#include <QBuffer>

#include <string>

namespace ludro::test {

struct Fetched {
    std::string failure;  // "message #code", or empty
    QByteArray body;
};

inline Fetched fetch(net::THttpCli &client, bool post = false, QIODevice *sink = nullptr)
{
    QBuffer memory;
    memory.open(QIODevice::WriteOnly);
    client.BodySink = sink ? sink : &memory;
    Fetched fetched;
    try {
        post ? client.Post() : client.Get();
    } catch (const net::EHttpException &e) {
        fetched.failure = e.Message().toStdString() + " #" + std::to_string(e.ErrorCode());
    }
    client.BodySink = nullptr;
    fetched.body = memory.data();
    return fetched;
}

}  // namespace ludro::test
