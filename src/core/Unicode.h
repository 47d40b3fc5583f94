#pragma once
// Conversions between the encodings the wizard meets: UTF-8 inside the program, UTF-16LE in the
// registry and in shortcuts, code points for case rules.

#include <cstdint>
#include <string>
#include <vector>

namespace evalora {

// Decodes UTF-8; a malformed byte becomes U+FFFD and decoding goes on.
std::u32string Utf8ACodigos(const std::string& texto);
std::string CodigosAUtf8(const std::u32string& codigos);

// UTF-16 code units (surrogate pairs for characters beyond the basic plane).
std::u16string Utf8AUtf16(const std::string& texto);
// Unpaired surrogates become U+FFFD.
std::string Utf16AUtf8(const std::u16string& unidades);

// Little-endian bytes of UTF-16 text and back (an odd last byte is ignored).
std::vector<uint8_t> Utf16ABytes(const std::u16string& unidades);
std::u16string BytesAUtf16(const std::vector<uint8_t>& bytes);

}  // namespace evalora
