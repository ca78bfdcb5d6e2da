#pragma once

#include "location/place_list.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace skelvane::testing {

// Bytes of a file in tests/data/location/.
std::vector<std::uint8_t> ReadFixture(const std::string& name);

// A place-list file made here: `payload` encrypted behind a header whose check byte is
// `checkByte`; EncodePlaceList first deflates `text` into the payload.
std::vector<std::uint8_t> EncryptPayload(std::vector<std::uint8_t> payload,
                                         std::string_view passphrase,
                                         std::uint8_t checkByte = 0xFF);
std::vector<std::uint8_t> EncodePlaceList(std::string_view text, std::string_view passphrase);

// A list of `size` empty lines with the given lines set, for section-boundary tests.
PlaceList ListWithLines(std::size_t size,
                        const std::vector<std::pair<std::size_t, std::string>>& lines);

} // namespace skelvane::testing
