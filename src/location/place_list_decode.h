#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace skelvane {

// The decrypted and inflated content of a place-list file (8-bit text), or the decoder's
// message when that failed.
struct DecodedPlaceList {
    std::string text;
    std::string error; // empty on success
};

// Inflated text larger than this is refused: the real list is a few megabytes, and a
// tiny file must not be able to inflate into all of memory.
inline constexpr std::size_t kMaxPlaceListText = 64u << 20;

// Checks the 12-byte ZipCrypto header against the passphrase (twelfth byte 0xFF),
// decrypts the rest and inflates it as raw deflate. Every failure (short file, wrong
// passphrase, corrupt or cut-off data, oversized result) gives a message and no text.
DecodedPlaceList DecodePlaceList(std::span<const std::uint8_t> bytes, std::string_view passphrase,
                                 std::size_t maxText = kMaxPlaceListText);

// The message of a rejected header, as the decoder words it.
inline constexpr std::string_view kWrongPassphraseMessage =
    "Inflate: stream is encrypted but passphrase is wrong";

// The passphrase of the shipped list. Kept scrambled in the program and assembled when
// asked for, so the plain text does not sit in the executable.
std::string PlaceListPassphrase();

} // namespace skelvane
