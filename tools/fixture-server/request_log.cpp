#include "request_log.h"

#include <algorithm>

namespace skelvane::fixture {

namespace {

bool SameNameNoCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

} // namespace

std::string FixtureRequestRecord::header(std::string_view name) const {
    for (const auto& [key, value] : headers)
        if (SameNameNoCase(key, name))
            return value;
    return {};
}

bool FixtureRequestRecord::hasHeader(std::string_view name) const {
    return std::any_of(headers.begin(), headers.end(),
                       [&](const auto& entry) { return SameNameNoCase(entry.first, name); });
}

std::string FixtureRequestRecord::param(std::string_view name) const {
    for (const auto& [key, value] : query)
        if (SameNameNoCase(key, name))
            return value;
    return {};
}

void FixtureRequestLog::add(const FixtureRequestRecord& record) {
    Observer observer;
    {
        const std::lock_guard lock(mutex_);
        records_.push_back(record);
        observer = observer_;
    }
    added_.notify_all();
    if (observer)
        observer(record);
}

std::vector<FixtureRequestRecord> FixtureRequestLog::records() const {
    const std::lock_guard lock(mutex_);
    return records_;
}

std::size_t FixtureRequestLog::size() const {
    const std::lock_guard lock(mutex_);
    return records_.size();
}

void FixtureRequestLog::clear() {
    const std::lock_guard lock(mutex_);
    records_.clear();
}

bool FixtureRequestLog::waitFor(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return added_.wait_for(lock, timeout, [&] { return records_.size() >= count; });
}

void FixtureRequestLog::setObserver(Observer observer) {
    const std::lock_guard lock(mutex_);
    observer_ = std::move(observer);
}

} // namespace skelvane::fixture
