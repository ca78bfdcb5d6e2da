#pragma once

#include "astro/datetime.h"

#include <string>
#include <string_view>

namespace skelvane::cli {

// One JSON object on one line, keys in the order added.
class JsonLine {
public:
    JsonLine& add(std::string_view key, std::string_view text);
    JsonLine& add(std::string_view key, const char* text) {
        return add(key, std::string_view(text));
    }
    // Shortest text that reads back as the same double.
    JsonLine& add(std::string_view key, double number);
    JsonLine& add(std::string_view key, int number);
    JsonLine& addNull(std::string_view key);
    // A value that is already JSON text (an array or a nested object).
    JsonLine& addRaw(std::string_view key, std::string_view json);
    // A UTC instant as ISO 8601 with whole seconds and a trailing Z.
    JsonLine& addInstant(std::string_view key, DateTime utc);
    std::string str() const { return "{" + body_ + "}"; }

private:
    void key(std::string_view name);
    std::string body_;
};

// YYYY-MM-DDThh:mm:ssZ, rounded to the nearest second.
std::string IsoInstant(DateTime utc);
// YYYY-MM-DD of a value's date.
std::string IsoDate(DateTime value);
// Shortest round-trip text of a double.
std::string NumberText(double number);

} // namespace skelvane::cli
