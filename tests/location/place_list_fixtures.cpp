#include "place_list_fixtures.h"

#include "location/zip_crypto.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <zlib.h>

namespace skelvane::testing {

std::vector<std::uint8_t> ReadFixture(const std::string& name) {
    std::ifstream file(std::string(SKELVANE_TEST_DATA) + "/location/" + name, std::ios::binary);
    if (!file)
        throw std::runtime_error("missing fixture " + name);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> EncryptPayload(std::vector<std::uint8_t> payload,
                                         std::string_view passphrase, std::uint8_t checkByte) {
    const std::uint8_t header[kZipCryptoHeaderSize] = {1, 2, 3, 4,  5,  6,
                                                       7, 8, 9, 10, 11, checkByte};
    std::vector<std::uint8_t> file;
    file.reserve(kZipCryptoHeaderSize + payload.size());
    ZipCryptoKeys keys(passphrase);
    for (const std::uint8_t byte : header)
        file.push_back(keys.encrypt(byte));
    for (const std::uint8_t byte : payload)
        file.push_back(keys.encrypt(byte));
    return file;
}

std::vector<std::uint8_t> EncodePlaceList(std::string_view text, std::string_view passphrase) {
    z_stream stream{};
    deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    std::vector<std::uint8_t> packed(deflateBound(&stream, static_cast<uLong>(text.size())));
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = packed.data();
    stream.avail_out = static_cast<uInt>(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(stream.total_out);
    deflateEnd(&stream);
    return EncryptPayload(std::move(packed), passphrase);
}

PlaceList ListWithLines(std::size_t size,
                        const std::vector<std::pair<std::size_t, std::string>>& lines) {
    std::vector<std::string> all(size);
    for (const auto& [index, text] : lines)
        all.at(index) = text;
    std::string joined;
    for (const std::string& line : all)
        joined += line + "\n";
    return PlaceList::FromUtf8Text(joined);
}

} // namespace skelvane::testing
