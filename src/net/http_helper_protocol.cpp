#include "net/http_helper_protocol.h"

#include <charconv>
#include <map>

namespace skelvane {

namespace {

constexpr std::size_t kMaxTextRecord = 64 * 1024;

void Put(QByteArray& out, char tag, const QByteArray& payload) {
    out += tag;
    out += ' ';
    out += QByteArray::number(payload.size());
    out += '\n';
    out += payload;
}

QByteArray Number(qint64 value) {
    return QByteArray::number(value);
}

// One record from the front of `bytes`: nothing when it is not complete yet; an empty tag
// when it is malformed or its payload is over `maxPayload`.
struct Record {
    char tag = 0;
    QByteArray payload;
    qsizetype consumed = 0;
};

std::optional<Record> TakeRecord(const QByteArray& bytes, std::size_t maxPayload) {
    const qsizetype newline = bytes.indexOf('\n');
    if (newline < 0)
        return bytes.size() > 24 ? std::optional<Record>(Record{}) : std::nullopt;
    if (newline < 3 || bytes[1] != ' ')
        return Record{};
    std::size_t length = 0;
    const char* first = bytes.constData() + 2;
    const char* last = bytes.constData() + newline;
    const auto [end, error] = std::from_chars(first, last, length);
    if (error != std::errc() || end != last || length > maxPayload)
        return Record{};
    if (static_cast<std::size_t>(bytes.size() - newline - 1) < length)
        return std::nullopt;
    return Record{bytes[0], bytes.mid(newline + 1, static_cast<qsizetype>(length)),
                  newline + 1 + static_cast<qsizetype>(length)};
}

std::optional<qint64> ToNumber(const QByteArray& text) {
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok ? std::optional<qint64>(value) : std::nullopt;
}

} // namespace

QByteArray EncodeHelperRequest(const HttpRequest& request) {
    const HttpClient::Options& o = request.options;
    QByteArray out;
    Put(out, 'u', request.url.toUtf8());
    Put(out, 'a', o.userAgent);
    Put(out, 'A', o.accept);
    Put(out, 'T', o.contentType);
    Put(out, 'f', o.followRedirects ? "1" : "0");
    Put(out, 'k', o.keepCookies ? "1" : "0");
    Put(out, 'c', Number(o.limits.connect.count()));
    Put(out, 's', Number(o.limits.stall.count()));
    Put(out, 'b', Number(o.limits.stallBytesPerSecond));
    Put(out, 'm', Number(static_cast<qint64>(o.limits.maxBody)));
    Put(out, 'h', request.proxy.host.toUtf8());
    Put(out, 'p', Number(request.proxy.port));
    Put(out, 'n', request.proxy.userName.toUtf8());
    Put(out, 'w', request.proxy.password.toUtf8());
    for (const QByteArray& cookie : request.cookies)
        Put(out, 'C', cookie);
    Put(out, 'e', {});
    return out;
}

std::optional<HttpRequest> DecodeHelperRequest(const QByteArray& bytes) {
    HttpRequest request;
    HttpClient::Options& o = request.options;
    qsizetype at = 0;
    while (at < bytes.size()) {
        const std::optional<Record> record = TakeRecord(bytes.mid(at), kMaxTextRecord);
        if (!record || record->tag == 0)
            return std::nullopt;
        at += record->consumed;
        const QByteArray& v = record->payload;
        const auto number = [&v]() { return ToNumber(v).value_or(-1); };
        switch (record->tag) {
        case 'u':
            request.url = QString::fromUtf8(v);
            break;
        case 'a':
            o.userAgent = v;
            break;
        case 'A':
            o.accept = v;
            break;
        case 'T':
            o.contentType = v;
            break;
        case 'f':
            o.followRedirects = v == "1";
            break;
        case 'k':
            o.keepCookies = v == "1";
            break;
        case 'c':
            o.limits.connect = std::chrono::milliseconds(number());
            break;
        case 's':
            o.limits.stall = std::chrono::milliseconds(number());
            break;
        case 'b':
            o.limits.stallBytesPerSecond = static_cast<long>(number());
            break;
        case 'm':
            o.limits.maxBody = static_cast<std::size_t>(std::max<qint64>(0, number()));
            break;
        case 'h':
            request.proxy.host = QString::fromUtf8(v);
            break;
        case 'p':
            request.proxy.port = static_cast<int>(number());
            break;
        case 'n':
            request.proxy.userName = QString::fromUtf8(v);
            break;
        case 'w':
            request.proxy.password = QString::fromUtf8(v);
            break;
        case 'C':
            request.cookies << v;
            break;
        case 'e':
            if (o.limits.connect.count() < 0 || o.limits.stall.count() < 0 ||
                o.limits.stallBytesPerSecond < 0 || request.url.isEmpty())
                return std::nullopt;
            return request;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt; // no end record
}

QByteArray EncodeHelperStatus(const QString& text) {
    QByteArray out;
    Put(out, 'S', text.toUtf8().left(static_cast<qsizetype>(kMaxTextRecord)));
    return out;
}

QByteArray EncodeHelperProgress() {
    QByteArray out;
    Put(out, 'P', {});
    return out;
}

QByteArray EncodeHelperResult(const HttpResult& result) {
    QByteArray out;
    Put(out, 'F', Number(static_cast<int>(result.failure)));
    Put(out, 'H', Number(result.status));
    Put(out, 'E', result.errorText.toUtf8().left(static_cast<qsizetype>(kMaxTextRecord)));
    Put(out, 'U', result.finalUrl.toUtf8().left(static_cast<qsizetype>(kMaxTextRecord)));
    if (!result.cacheControl.isEmpty())
        Put(out, 'K', result.cacheControl.left(static_cast<qsizetype>(kMaxTextRecord)));
    for (const QByteArray& cookie : result.cookies)
        Put(out, 'C', cookie.left(static_cast<qsizetype>(kMaxTextRecord)));
    Put(out, 'B', result.body);
    return out;
}

bool HelperReplyReader::feed(const char* data, std::size_t size,
                             const std::function<void(const QString&)>& status) {
    pending_.append(data, static_cast<qsizetype>(size));
    while (!complete_) {
        const std::optional<Record> record =
            TakeRecord(pending_, std::max(maxBody_, kMaxTextRecord));
        if (!record)
            return true; // wait for more
        if (record->tag == 0)
            return false;
        pending_.remove(0, record->consumed);
        const QByteArray& v = record->payload;
        switch (record->tag) {
        case 'S':
            if (status)
                status(QString::fromUtf8(v));
            break;
        case 'F': {
            const qint64 failure = ToNumber(v).value_or(-1);
            if (failure < 0 || failure > static_cast<int>(HttpFailure::Other))
                return false;
            result_.failure = static_cast<HttpFailure>(failure);
            break;
        }
        case 'P':
            break;
        case 'H':
            result_.status = static_cast<long>(ToNumber(v).value_or(0));
            break;
        case 'E':
            result_.errorText = QString::fromUtf8(v);
            break;
        case 'U':
            result_.finalUrl = QString::fromUtf8(v);
            break;
        case 'C':
            result_.cookies << v;
            break;
        case 'K':
            result_.cacheControl = v;
            break;
        case 'B':
            if (static_cast<std::size_t>(v.size()) > maxBody_)
                return false;
            result_.body = v;
            complete_ = true;
            break;
        default:
            return false;
        }
    }
    return true;
}

} // namespace skelvane
