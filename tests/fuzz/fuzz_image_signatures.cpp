// The signature checks read fixed offsets of a body of any length.
#include "net/decode/image_signatures.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    skelvane::CheckGIFSignature(body);
    skelvane::CheckJPGSignature(body);
    skelvane::CheckMPGSignature(body);
    return 0;
}
