#include "net/decode/lookup_address.h"

#include "web_test_hosts.h"

#include <gtest/gtest.h>
#include <string>

namespace skelvane {
namespace {

std::string Built(Lookup lookup, std::string_view text) {
    return LookupAddress(lookup, text, testing::NamedTestHosts()).value_or("(none)");
}

TEST(LookupAddress, OneAddressPerButton) {
    using enum Lookup;
    EXPECT_EQ(Built(kDictionary, "almanac"),
              "http://merriamWebster.test/cgi-bin/dictionary?almanac");
    EXPECT_EQ(Built(kThesaurus, "almanac"),
              "http://merriamWebster.test/cgi-bin/thesaurus?book=Thesaurus&va=almanac");
    EXPECT_EQ(Built(kSearch, "almanac"), "http://google.test/search?&q=almanac");
    EXPECT_EQ(Built(kFeelLucky, "almanac"),
              "http://google.test/search?&q=almanac&btnI=I'm Feeling Lucky");
    EXPECT_EQ(Built(kWikipedia, "almanac"), "http://wikipedia.test/wiki/almanac");
}

TEST(LookupAddress, EmptyTextOpensNothing) {
    for (Lookup lookup : {Lookup::kDictionary, Lookup::kThesaurus, Lookup::kSearch,
                          Lookup::kFeelLucky, Lookup::kWikipedia})
        EXPECT_EQ(LookupAddress(lookup, ""), std::nullopt);
}

// The site must see what was typed: characters that would end the term, add a key or be
// read as a space are escaped; everything else goes in as typed.
TEST(LookupAddress, TheSiteSeesTheTextAsTyped) {
    struct Case {
        Lookup lookup;
        const char* text;
        const char* expected;
    };
    using enum Lookup;
    const Case cases[] = {
        {kSearch, "new moon", "http://google.test/search?&q=new moon"},
        {kSearch, "AT&T", "http://google.test/search?&q=AT%26T"},
        {kSearch, "C++ #1", "http://google.test/search?&q=C%2B%2B %231"},
        {kFeelLucky, "a&btnI=", "http://google.test/search?&q=a%26btnI=&btnI=I'm Feeling Lucky"},
        {kDictionary, "moon\r\nX-Injected: 1",
         "http://merriamWebster.test/cgi-bin/dictionary?"
         "moon%0D%0AX-Injected: 1"},
        {kThesaurus, "100%",
         "http://merriamWebster.test/cgi-bin/thesaurus?book=Thesaurus&va=100%25"},
        {kSearch, "`id`; $(reboot) 'q' \"r\"",
         "http://google.test/search?&q=`id`%3B $(reboot) 'q' \"r\""},
        {kWikipedia, "AC/DC", "http://wikipedia.test/wiki/AC/DC"},
        {kWikipedia, "AT&T", "http://wikipedia.test/wiki/AT&T"},
        {kWikipedia, "Who? Why#", "http://wikipedia.test/wiki/Who%3F Why%23"},
        {kWikipedia, "M\xC3\xBCnchen", "http://wikipedia.test/wiki/M%C3%BCnchen"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Built(c.lookup, c.text), c.expected) << c.text;
}

} // namespace
} // namespace skelvane
