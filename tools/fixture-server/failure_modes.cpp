#include "failure_modes.h"

#include <algorithm>
#include <memory>

namespace skelvane::fixture {

namespace {

using std::chrono::milliseconds;

// How much of a body of `size` bytes a cut-short or stalled answer sends: `bytes`, or half
// when unset, and always less than the whole (an empty body sends nothing).
std::size_t BytesSent(std::size_t bytes, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t wanted = bytes == kHalfTheBody ? size / 2 : bytes;
    return std::min(wanted, size - 1);
}

void SetHead(httplib::Response& response, const PlannedAnswer& answer) {
    response.status = answer.status;
    if (!answer.location.empty())
        response.set_header("Location", answer.location);
    for (const auto& [name, value] : answer.headers)
        response.set_header(name, value);
}

} // namespace

bool NeedsNormalAnswer(const FixtureRule& rule) {
    switch (rule.behaviour) {
    case FixtureBehaviour::Redirect:
    case FixtureBehaviour::HtmlPage:
    case FixtureBehaviour::ErrorPage:
    case FixtureBehaviour::Body:
        return false;
    case FixtureBehaviour::StallBody:
    case FixtureBehaviour::Short:
    case FixtureBehaviour::Slow:
        return rule.body.empty();
    default:
        return true;
    }
}

PlannedAnswer PlanAnswer(const FixtureRule& rule, const FolderAnswer& normal, std::string_view path,
                         std::string_view origin) {
    PlannedAnswer answer;
    answer.headers = rule.headers;
    const auto whole = [&](std::string_view location) {
        return location.starts_with('/') ? std::string(origin) + std::string(location)
                                         : std::string(location);
    };
    switch (rule.behaviour) {
    case FixtureBehaviour::Redirect:
        answer.status = rule.status != 0 ? rule.status : 302;
        answer.contentType = "text/html";
        answer.body = ErrorPageHtml(answer.status, path);
        answer.location = whole(rule.location);
        return answer;
    case FixtureBehaviour::HtmlPage:
        answer.status = 200;
        answer.contentType = "text/html";
        answer.body = rule.body.empty() ? NoticePageHtml() : rule.body;
        return answer;
    case FixtureBehaviour::ErrorPage:
        answer.status = rule.status != 0 ? rule.status : 500;
        answer.contentType = "text/html";
        answer.body = ErrorPageHtml(answer.status, path);
        return answer;
    case FixtureBehaviour::Body:
        answer.status = rule.status != 0 ? rule.status : 200;
        answer.contentType = rule.contentType;
        answer.body = rule.body;
        return answer;
    default:
        break;
    }
    if (!NeedsNormalAnswer(rule)) { // a canned body for a cut, stalled or slow answer
        answer.contentType = rule.contentType;
        answer.body = rule.body;
        return answer;
    }
    answer.status = normal.status;
    answer.contentType = normal.contentType;
    answer.body = normal.body;
    answer.headers.insert(answer.headers.end(), normal.headers.begin(), normal.headers.end());
    if (!normal.location.empty())
        answer.location = whole(normal.location);
    return answer;
}

int RecordedStatus(const FixtureRule& rule, const PlannedAnswer& answer) {
    const bool noStatusLine =
        rule.behaviour == FixtureBehaviour::Refuse || rule.behaviour == FixtureBehaviour::Stall;
    return noStatusLine ? 0 : answer.status;
}

void ApplyBehaviour(const FixtureRule& rule, PlannedAnswer answer, httplib::Response& response,
                    FixtureConnection& connection, StallGate& gate) {
    const auto peerGone = [&connection] { return connection.peerGone(); };
    switch (rule.behaviour) {
    case FixtureBehaviour::Refuse:
        connection.resetOnClose();
        connection.abandon();
        return;
    case FixtureBehaviour::Stall:
        gate.stall(rule.stallLimit, peerGone);
        connection.abandon();
        return;
    case FixtureBehaviour::StallBody: {
        SetHead(response, answer);
        const auto body = std::make_shared<std::string>(std::move(answer.body));
        const std::size_t sent = BytesSent(rule.bytes, body->size());
        const milliseconds limit = rule.stallLimit;
        response.set_content_provider(
            body->size(), answer.contentType,
            [body, sent, limit, &gate, peerGone](std::size_t, std::size_t,
                                                 httplib::DataSink& sink) {
                if (sent > 0 && !sink.write(body->data(), sent))
                    return false;
                gate.stall(limit, peerGone);
                return false; // the rest never comes: the connection closes
            });
        return;
    }
    case FixtureBehaviour::Short: {
        SetHead(response, answer);
        const auto body = std::make_shared<std::string>(std::move(answer.body));
        const std::size_t sent = BytesSent(rule.bytes, body->size());
        // An empty body cannot be cut: announce one byte that never comes.
        const std::size_t announced = std::max<std::size_t>(body->size(), 1);
        response.set_content_provider(
            announced, answer.contentType,
            [body, sent](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (offset >= sent || sent == 0)
                    return false; // close with the rest of the announced length unsent
                return sink.write(body->data() + offset, sent - offset);
            });
        return;
    }
    case FixtureBehaviour::Slow: {
        SetHead(response, answer);
        const auto body = std::make_shared<std::string>(std::move(answer.body));
        // Ten pieces a second, or one byte at a time below ten bytes a second.
        const std::size_t rate = std::max<std::size_t>(rule.bytesPerSecond, 1);
        const std::size_t piece = std::max<std::size_t>(rate / 10, 1);
        const milliseconds interval(static_cast<long long>(1000 * piece / rate));
        if (body->empty()) {
            response.set_content(std::string(), answer.contentType);
            return;
        }
        response.set_content_provider(
            body->size(), answer.contentType,
            [body, piece, interval, &gate](std::size_t offset, std::size_t length,
                                           httplib::DataSink& sink) {
                const std::size_t count = std::min(piece, length);
                if (!sink.write(body->data() + offset, count))
                    return false;
                return offset + count >= body->size() || gate.pause(interval);
            });
        return;
    }
    default:
        SetHead(response, answer);
        response.set_content(answer.body, answer.contentType);
        return;
    }
}

} // namespace skelvane::fixture
