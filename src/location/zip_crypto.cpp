#include "location/zip_crypto.h"

#include <zlib.h>

namespace skelvane {

namespace {

std::uint32_t Crc32Step(std::uint32_t crc, std::uint8_t byte) {
    static const z_crc_t* const table = get_crc_table();
    return static_cast<std::uint32_t>(table[(crc ^ byte) & 0xFF]) ^ (crc >> 8);
}

} // namespace

ZipCryptoKeys::ZipCryptoKeys(std::string_view passphrase) {
    for (const char c : passphrase)
        update(static_cast<std::uint8_t>(c));
}

std::uint8_t ZipCryptoKeys::keystreamByte() const {
    const std::uint32_t temp = (key2_ | 2) & 0xFFFF;
    return static_cast<std::uint8_t>((temp * (temp ^ 1)) >> 8);
}

void ZipCryptoKeys::update(std::uint8_t plain) {
    key0_ = Crc32Step(key0_, plain);
    key1_ = (key1_ + (key0_ & 0xFF)) * 134775813u + 1;
    key2_ = Crc32Step(key2_, static_cast<std::uint8_t>(key1_ >> 24));
}

std::uint8_t ZipCryptoKeys::decrypt(std::uint8_t cipher) {
    const auto plain = static_cast<std::uint8_t>(cipher ^ keystreamByte());
    update(plain);
    return plain;
}

std::uint8_t ZipCryptoKeys::encrypt(std::uint8_t plain) {
    const auto cipher = static_cast<std::uint8_t>(plain ^ keystreamByte());
    update(plain);
    return cipher;
}

} // namespace skelvane
