#pragma once

#include "net/decode/web_endpoints.h"

#include <optional>
#include <string>
#include <string_view>

namespace skelvane {

// The five look-up buttons of the Tools page.
enum class Lookup {
    kDictionary, // "Dictionary" and the publisher's logo
    kThesaurus,  // "Thesaurus"
    kSearch,     // "Search" of the " Google Search " group and its logo
    kFeelLucky,  // "Feel Lucky": straight to the first page found
    kWikipedia,  // "Search" of the " Wikipedia " group and its logo
};

// The address a look-up opens for the drop-down's text, the text appended as typed with
// EscapeUserText (a query value, or a path for the encyclopedia). Nothing for an empty
// text: the button then does nothing.
std::optional<std::string> LookupAddress(Lookup lookup, std::string_view text,
                                         const WebEndpoints& endpoints = DefaultWebEndpoints());

} // namespace skelvane
