#pragma once

#include "net/http_transport.h"

#include <QByteArray>
#include <functional>
#include <optional>

namespace skelvane {

// What the program and its download helper skelvane-http say to each other over one socket:
// records of a tag, a blank, the payload's length in decimal, a line feed and the payload.
// The request goes one way; progress texts ("S") and then the result come back.

QByteArray EncodeHelperRequest(const HttpRequest& request);
// Nothing for a request that does not read back (a damaged or hostile stream).
std::optional<HttpRequest> DecodeHelperRequest(const QByteArray& bytes);

QByteArray EncodeHelperStatus(const QString& text);
// A sign of life while a long transfer runs (read and ignored).
QByteArray EncodeHelperProgress();
QByteArray EncodeHelperResult(const HttpResult& result);

// Reads the helper's answer as it arrives: progress texts go to `status` at once, the result
// is there once its last record has been read.
class HelperReplyReader {
public:
    explicit HelperReplyReader(std::size_t maxBody) : maxBody_(maxBody) {}
    // False when the stream is malformed or larger than the body cap allows.
    bool feed(const char* data, std::size_t size,
              const std::function<void(const QString&)>& status);
    bool complete() const { return complete_; }
    const HttpResult& result() const { return result_; }

private:
    QByteArray pending_;
    std::size_t maxBody_;
    HttpResult result_;
    bool complete_ = false;
};

} // namespace skelvane
