#pragma once

// EHttpException: a failed HTTP request, with a message and a numeric code
// (the response status, or one of the codes below).

#include <QString>

#include <stdexcept>

namespace net {

constexpr int HttpBusyError = 1;
constexpr int HttpNothingToPostError = 2;

class EHttpException : public std::runtime_error {
public:
    EHttpException(const QString &message, int errorCode)
        : std::runtime_error(message.toStdString()), message_(message), errorCode_(errorCode)
    {
    }

    QString Message() const { return message_; }
    int ErrorCode() const { return errorCode_; }

private:
    QString message_;
    int errorCode_;
};

}  // namespace net
