#pragma once

// How a rule turns the normal answer of a path into what the fixture server sends.

#include "fixture_rules.h"
#include "folder_answer.h"
#include "loopback_http_server.h"

#include <string>
#include <string_view>

namespace skelvane::fixture {

// The status line and body the rule sends (before any cutting, stalling or pacing).
struct PlannedAnswer {
    int status = 200;
    std::string contentType;
    std::string body;
    std::string location; // a whole address; empty when none is sent
    std::vector<std::pair<std::string, std::string>> headers; // the rule's, then the answer's
};

// The answer `rule` gives to a request for `path` whose normal answer is `normal`. `origin`
// ("http://127.0.0.1:PORT") makes a path in a Location header a whole address.
PlannedAnswer PlanAnswer(const FixtureRule& rule, const FolderAnswer& normal, std::string_view path,
                         std::string_view origin);

// Whether the rule needs the normal answer at all (a redirect, a canned page or a canned
// body does not).
bool NeedsNormalAnswer(const FixtureRule& rule);

// The status the request log records: 0 for the behaviours that send no status line.
int RecordedStatus(const FixtureRule& rule, const PlannedAnswer& answer);

// Sends `answer` as `rule` says through `response` on `connection`, waiting at `gate`.
// Called from the request handler, after the rule's delay.
void ApplyBehaviour(const FixtureRule& rule, PlannedAnswer answer, httplib::Response& response,
                    FixtureConnection& connection, StallGate& gate);

} // namespace skelvane::fixture
