#include "net/decode/lookup_address.h"

#include "net/decode/web_address_text.h"

namespace skelvane {

std::optional<std::string> LookupAddress(Lookup lookup, std::string_view text,
                                         const WebEndpoints& hosts) {
    if (text.empty())
        return std::nullopt;
    const std::string query = EscapeUserText(text, AddressPart::kQueryValue);
    switch (lookup) {
    case Lookup::kDictionary:
        return JoinAddress(hosts.merriamWebster, "/cgi-bin/dictionary?" + query);
    case Lookup::kThesaurus:
        return JoinAddress(hosts.merriamWebster, "/cgi-bin/thesaurus?book=Thesaurus&va=" + query);
    case Lookup::kSearch:
        return JoinAddress(hosts.google, "/search?&q=" + query);
    case Lookup::kFeelLucky:
        return JoinAddress(hosts.google, "/search?&q=" + query + "&btnI=I'm Feeling Lucky");
    case Lookup::kWikipedia:
        return JoinAddress(hosts.wikipedia, "/wiki/" + EscapeUserText(text, AddressPart::kPath));
    }
    return std::nullopt;
}

} // namespace skelvane
