#include "fixture_server_options.h"

#include <charconv>

namespace skelvane::fixture {

namespace fs = std::filesystem;

namespace {

std::optional<std::uint16_t> ReadPort(std::string_view text) {
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value > 65535)
        return std::nullopt;
    return static_cast<std::uint16_t>(value);
}

} // namespace

std::optional<FailOption> ParseFailOption(std::string_view text, std::string& error) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos || equals == 0 || text.front() != '/') {
        error =
            "--fail takes PATH=MODE with a path starting with \"/\": \"" + std::string(text) + "\"";
        return std::nullopt;
    }
    FailOption option;
    option.path = std::string(text.substr(0, equals));
    if (option.path.back() == '*') {
        option.prefix = true;
        option.path.pop_back();
    }
    std::optional<FixtureRule> rule = ParseFixtureRule(text.substr(equals + 1), error);
    if (!rule)
        return std::nullopt;
    option.rule = std::move(*rule);
    return option;
}

std::optional<FixtureServerOptions>
ParseFixtureServerArguments(const std::vector<std::string>& arguments, std::string& error) {
    FixtureServerOptions options;
    const auto fail = [&](std::string why) {
        error = std::move(why);
        return std::nullopt;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view name = arguments[i];
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); equals != std::string_view::npos) {
            value = std::string(name.substr(equals + 1));
            name = name.substr(0, equals);
        }
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size())
                return fail(std::string(name) + " needs a value");
            value = arguments[++i];
        }
        const auto port = [&](std::optional<std::uint16_t>& into) {
            into = ReadPort(*value);
            return into.has_value();
        };
        std::optional<std::uint16_t> number;
        if (name == "--root") {
            if (value->empty())
                return fail("--root needs a folder");
            options.root = *value;
        } else if (name == "--port") {
            if (!port(number))
                return fail("not a port number: \"" + *value + "\"");
            options.port = *number;
        } else if (name == "--sntp-port") {
            if (!port(options.sntpPort))
                return fail("not a port number: \"" + *value + "\"");
        } else if (name == "--proxy-port") {
            if (!port(options.proxyPort))
                return fail("not a port number: \"" + *value + "\"");
        } else if (name == "--proxy-user") {
            options.proxyUser = *value;
        } else if (name == "--proxy-password") {
            options.proxyPassword = *value;
        } else if (name == "--fail") {
            std::optional<FailOption> failure = ParseFailOption(*value, error);
            if (!failure)
                return std::nullopt;
            options.failures.push_back(std::move(*failure));
        } else {
            return fail("unknown option \"" + std::string(name) + "\"");
        }
    }
    if (!options.proxyPort && (!options.proxyUser.empty() || !options.proxyPassword.empty()))
        return fail("--proxy-user and --proxy-password need --proxy-port");
    if (options.proxyUser.empty() && !options.proxyPassword.empty())
        return fail("--proxy-password needs --proxy-user");
    return options;
}

std::string_view FixtureServerUsage() {
    return "Usage: skelvane-fixture-server [options]\n"
           "Serves a folder laid out as the weather, radar and satellite servers lay out\n"
           "theirs, on 127.0.0.1, and logs every request on standard output. The first line\n"
           "printed is the server's address, http://127.0.0.1:PORT.\n"
           "\n"
           "  --root DIR             the folder served (default: the demo tree)\n"
           "  --port N               the port (default 0: any free port)\n"
           "  --sntp-port N          also answer SNTP on this UDP port (0: any free port);\n"
           "                         printed as sntp://127.0.0.1:PORT\n"
           "  --fail PATH=MODE       answer PATH (or every path under it, written PATH*)\n"
           "                         with a failure; repeatable. MODE is one of: refuse,\n"
           "                         stall, stall-body[=BYTES], short[=BYTES],\n"
           "                         slow[=BYTES_PER_SECOND], html, status=N,\n"
           "                         redirect=URL, redirect301=URL, delay=MS\n"
           "  --proxy-port N         also run a forward proxy on this port (0: any free\n"
           "                         port); printed as proxy://127.0.0.1:PORT\n"
           "  --proxy-user U         the proxy asks for Basic credentials: this user name\n"
           "  --proxy-password P     and this password\n"
           "  --help                 this text\n"
           "\n"
           "Stops on SIGINT or SIGTERM.\n";
}

std::vector<fs::path> DemoTreeCandidates(const fs::path& programFolder,
                                         const fs::path& sourceTree) {
    std::vector<fs::path> candidates;
    if (!programFolder.empty()) {
        candidates.push_back(programFolder.parent_path() / "share" / "skelvane" / "demo");
        candidates.push_back(programFolder / "data" / "demo");
    }
    if (!sourceTree.empty())
        candidates.push_back(sourceTree);
    return candidates;
}

} // namespace skelvane::fixture
