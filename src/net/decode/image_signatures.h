#pragma once

#include <string_view>

namespace skelvane {

// Whether a downloaded body may be handed to the GIF decoder: at least 6 bytes, the first 6
// upper-cased reading "GIF89A" or the first 5 reading "GIF87". An HTML error page fails.
bool CheckGIFSignature(std::string_view body);

// Whether a downloaded body may be handed to the JPEG decoder: at least 20 bytes starting
// FF D8, with "JFIF" at bytes 6-9, "EXIF" in any case at bytes 6-9, or "JFIF" at 16-19.
bool CheckJPGSignature(std::string_view body);

// Whether a downloaded body may be kept as an MPEG movie: it starts with the start code of an
// MPEG program stream's pack header (00 00 01 BA) or of an MPEG video sequence header
// (00 00 01 B3), and holds more than those four bytes. An HTML error page fails.
bool CheckMPGSignature(std::string_view body);

} // namespace skelvane
