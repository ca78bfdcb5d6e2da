#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace skelvane {

// The traditional PKWARE stream cipher of the ZIP application note ("ZipCrypto"): three
// 32-bit keys set up from a passphrase and stirred by every plain byte.
class ZipCryptoKeys {
public:
    explicit ZipCryptoKeys(std::string_view passphrase);

    std::uint8_t decrypt(std::uint8_t cipher);
    std::uint8_t encrypt(std::uint8_t plain);

private:
    std::uint8_t keystreamByte() const;
    void update(std::uint8_t plain);

    std::uint32_t key0_ = 0x12345678;
    std::uint32_t key1_ = 0x23456789;
    std::uint32_t key2_ = 0x34567890;
};

// Size of the encryption header in front of the encrypted data; its last byte decrypts to
// the check value.
inline constexpr std::size_t kZipCryptoHeaderSize = 12;

} // namespace skelvane
