#pragma once

// The command line of skelvane-fixture-server.

#include "fixture_rules.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace skelvane::fixture {

// One --fail option: the rule for a path, or for every path under a prefix.
struct FailOption {
    std::string path;
    bool prefix = false; // written with a final "*"
    FixtureRule rule;
};

struct FixtureServerOptions {
    std::filesystem::path root; // empty: the demo tree
    std::uint16_t port = 0;
    std::optional<std::uint16_t> sntpPort;
    std::optional<std::uint16_t> proxyPort;
    std::string proxyUser, proxyPassword;
    std::vector<FailOption> failures;
    bool help = false;
};

// Reads the arguments after the program's name: --root DIR, --port N, --sntp-port N,
// --fail PATH=MODE (repeatable), --proxy-port N, --proxy-user U, --proxy-password P,
// --help; each also as --name=value. Returns nothing and sets `error` for an unknown
// option, a missing or bad value, or proxy credentials without a proxy port.
std::optional<FixtureServerOptions>
ParseFixtureServerArguments(const std::vector<std::string>& arguments, std::string& error);

// "PATH=MODE": PATH starts with "/", and a final "*" makes it a prefix; MODE as
// ParseFixtureRule reads it. Returns nothing and sets `error` otherwise.
std::optional<FailOption> ParseFailOption(std::string_view text, std::string& error);

// The text printed for --help.
std::string_view FixtureServerUsage();

// Where the demo tree is looked for, in order: the data folder of an installed program
// (programFolder/../share/skelvane/demo), data/demo beside the program, then `sourceTree`
// (the source tree's data/demo the program was built from).
std::vector<std::filesystem::path> DemoTreeCandidates(const std::filesystem::path& programFolder,
                                                      const std::filesystem::path& sourceTree);

} // namespace skelvane::fixture
