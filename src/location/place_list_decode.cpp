#include "location/place_list_decode.h"

#include "location/zip_crypto.h"

#include <array>
#include <vector>
#include <zlib.h>

namespace skelvane {

namespace {

constexpr std::uint8_t kCheckByte = 0xFF;

std::string InflateMessage(int status, const char* zlibMessage) {
    switch (status) {
    case Z_MEM_ERROR:
        return "Inflate: out of memory";
    case Z_NEED_DICT:
        return "Inflate: corrupt data (stream asks for a preset dictionary)";
    default:
        return std::string("Inflate: corrupt data (") +
               (zlibMessage ? zlibMessage : "invalid deflate stream") + ")";
    }
}

} // namespace

std::string PlaceListPassphrase() {
    // XOR-scrambled; see tools/placelist/lib/passphrase.mjs for the same bytes.
    static constexpr std::array<std::uint8_t, 24> kScrambled = {
        0x29, 0x31, 0x3f, 0x36, 0x2c, 0x3b, 0x34, 0x3f, 0x60, 0x2a, 0x36, 0x3b,
        0x39, 0x3f, 0x29, 0x75, 0x68, 0x74, 0x6a, 0x77, 0x0b, 0x22, 0x6d, 0x7b};
    std::string passphrase;
    for (const std::uint8_t byte : kScrambled)
        passphrase += static_cast<char>(byte ^ 0x5A);
    return passphrase;
}

DecodedPlaceList DecodePlaceList(std::span<const std::uint8_t> bytes, std::string_view passphrase,
                                 std::size_t maxText) {
    if (bytes.size() < kZipCryptoHeaderSize)
        return {{}, "Inflate: stream is too short to hold the encryption header"};
    ZipCryptoKeys keys(passphrase);
    std::uint8_t check = 0;
    for (std::size_t i = 0; i < kZipCryptoHeaderSize; ++i)
        check = keys.decrypt(bytes[i]);
    if (check != kCheckByte)
        return {{}, std::string(kWrongPassphraseMessage)};

    std::vector<std::uint8_t> data(bytes.begin() + kZipCryptoHeaderSize, bytes.end());
    for (std::uint8_t& byte : data)
        byte = keys.decrypt(byte);

    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK)
        return {{}, "Inflate: cannot start the decoder"};
    stream.next_in = data.data();
    stream.avail_in = static_cast<uInt>(data.size());

    DecodedPlaceList result;
    // The list inflates to about three times its size; grow from there.
    result.text.resize(std::min(maxText, data.size() * 3 + 4096));
    std::size_t produced = 0;
    int status = Z_OK;
    while (status == Z_OK) {
        if (produced == result.text.size()) {
            if (produced >= maxText) {
                result.error = "Inflate: the place list inflates to more than " +
                               std::to_string(maxText) + " bytes";
                break;
            }
            result.text.resize(std::min(maxText, produced * 2));
        }
        stream.next_out = reinterpret_cast<Bytef*>(result.text.data() + produced);
        const std::size_t room = result.text.size() - produced;
        stream.avail_out = static_cast<uInt>(room);
        status = inflate(&stream, Z_NO_FLUSH);
        produced += room - stream.avail_out;
        if (status == Z_BUF_ERROR && stream.avail_in == 0) {
            result.error = "Inflate: stream ends too early (the file is cut off)";
            break;
        }
        if (status == Z_BUF_ERROR)
            status = Z_OK; // only the output was full
    }
    if (result.error.empty() && status != Z_STREAM_END)
        result.error = InflateMessage(status, stream.msg);
    inflateEnd(&stream);
    if (!result.error.empty()) {
        result.text.clear();
        result.text.shrink_to_fit();
        return result;
    }
    result.text.resize(produced);
    result.text.shrink_to_fit();
    return result;
}

} // namespace skelvane
