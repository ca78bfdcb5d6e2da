#include "fixture_rules.h"

#include <charconv>
#include <utility>

namespace skelvane::fixture {

namespace {

// A whole decimal number with no sign and nothing after it.
std::optional<std::size_t> ReadCount(std::string_view text) {
    std::size_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

} // namespace

std::string_view BehaviourName(FixtureBehaviour behaviour) {
    switch (behaviour) {
    case FixtureBehaviour::Serve:
        return "serve";
    case FixtureBehaviour::Refuse:
        return "refuse";
    case FixtureBehaviour::Stall:
        return "stall";
    case FixtureBehaviour::StallBody:
        return "stall-body";
    case FixtureBehaviour::Short:
        return "short";
    case FixtureBehaviour::Slow:
        return "slow";
    case FixtureBehaviour::Redirect:
        return "redirect";
    case FixtureBehaviour::HtmlPage:
        return "html";
    case FixtureBehaviour::ErrorPage:
        return "status";
    case FixtureBehaviour::Body:
        return "body";
    }
    return "serve";
}

FixtureRule FixtureRule::refuse() {
    FixtureRule rule;
    rule.behaviour = FixtureBehaviour::Refuse;
    return rule;
}

FixtureRule FixtureRule::stall() {
    FixtureRule rule;
    rule.behaviour = FixtureBehaviour::Stall;
    return rule;
}

FixtureRule FixtureRule::stallBody(std::size_t bytesSent) {
    FixtureRule rule;
    rule.behaviour = FixtureBehaviour::StallBody;
    rule.bytes = bytesSent;
    return rule;
}

FixtureRule FixtureRule::shortBody(std::size_t bytesSent) {
    FixtureRule rule;
    rule.behaviour = FixtureBehaviour::Short;
    rule.bytes = bytesSent;
    return rule;
}

FixtureRule FixtureRule::slow(std::size_t bytesPerSecond) {
    FixtureRule rule;
    rule.behaviour = FixtureBehaviour::Slow;
    rule.bytesPerSecond = bytesPerSecond;
    return rule;
}

FixtureRule FixtureRule::redirect(std::string location, int status) {
    FixtureRule rule;
    rule.behaviour = FixtureBehaviour::Redirect;
    rule.location = std::move(location);
    rule.status = status;
    return rule;
}

FixtureRule FixtureRule::htmlPage() {
    FixtureRule rule;
    rule.behaviour = FixtureBehaviour::HtmlPage;
    return rule;
}

FixtureRule FixtureRule::errorPage(int status) {
    FixtureRule rule;
    rule.behaviour = FixtureBehaviour::ErrorPage;
    rule.status = status;
    return rule;
}

FixtureRule FixtureRule::exactBody(std::string body, std::string contentType, int status) {
    FixtureRule rule;
    rule.behaviour = FixtureBehaviour::Body;
    rule.body = std::move(body);
    rule.contentType = std::move(contentType);
    rule.status = status;
    return rule;
}

FixtureRule FixtureRule::delayed(std::chrono::milliseconds delay) {
    FixtureRule rule;
    rule.delay = delay;
    return rule;
}

std::optional<FixtureRule> ParseFixtureRule(std::string_view text, std::string& error) {
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const bool hasValue = equals != std::string_view::npos;
    const std::string_view value = hasValue ? text.substr(equals + 1) : std::string_view();
    const auto fail = [&](std::string_view why) {
        error = std::string(why) + ": \"" + std::string(text) + "\"";
        return std::nullopt;
    };
    const auto count = [&]() { return ReadCount(value); };

    if ((name == "refuse" || name == "stall" || name == "html") && !hasValue) {
        if (name == "refuse")
            return FixtureRule::refuse();
        return name == "stall" ? FixtureRule::stall() : FixtureRule::htmlPage();
    }
    if (name == "short" || name == "stall-body" || name == "slow") {
        const std::optional<std::size_t> number = hasValue ? count() : std::nullopt;
        if (hasValue && !number)
            return fail("not a number of bytes");
        if (name == "slow") {
            if (number == std::size_t{0})
                return fail("a slow server sends at least one byte a second");
            return FixtureRule::slow(number.value_or(100));
        }
        const std::size_t bytes = number.value_or(kHalfTheBody);
        return name == "short" ? FixtureRule::shortBody(bytes) : FixtureRule::stallBody(bytes);
    }
    if (name == "redirect" || name == "redirect301") {
        if (value.empty())
            return fail("a redirect needs a path or an address");
        return FixtureRule::redirect(std::string(value), name == "redirect" ? 302 : 301);
    }
    if (name == "status") {
        const std::optional<std::size_t> status = count();
        if (!status || *status < 100 || *status > 599)
            return fail("not an HTTP status");
        return FixtureRule::errorPage(static_cast<int>(*status));
    }
    if (name == "delay") {
        const std::optional<std::size_t> ms = count();
        if (!ms)
            return fail("not a number of milliseconds");
        return FixtureRule::delayed(std::chrono::milliseconds(*ms));
    }
    return fail("unknown failure mode");
}

void FixtureRuleTable::setExact(std::string path, FixtureRule rule) {
    const std::lock_guard lock(mutex_);
    exact_.insert_or_assign(std::move(path), std::move(rule));
}

void FixtureRuleTable::setPrefix(std::string prefix, FixtureRule rule) {
    const std::lock_guard lock(mutex_);
    prefixes_.insert_or_assign(std::move(prefix), std::move(rule));
}

void FixtureRuleTable::clear() {
    const std::lock_guard lock(mutex_);
    exact_.clear();
    prefixes_.clear();
}

std::optional<FixtureRule> FixtureRuleTable::take(std::string_view path) {
    const std::lock_guard lock(mutex_);
    const auto use = [](auto& table, auto found) {
        FixtureRule rule = found->second;
        if (found->second.times > 0 && --found->second.times == 0)
            table.erase(found);
        return rule;
    };
    if (const auto found = exact_.find(path); found != exact_.end())
        return use(exact_, found);
    auto longest = prefixes_.end();
    for (auto entry = prefixes_.begin(); entry != prefixes_.end(); ++entry) {
        if (path.starts_with(entry->first) &&
            (longest == prefixes_.end() || entry->first.size() > longest->first.size()))
            longest = entry;
    }
    if (longest != prefixes_.end())
        return use(prefixes_, longest);
    return std::nullopt;
}

} // namespace skelvane::fixture
