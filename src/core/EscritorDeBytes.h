#pragma once
// Binary formats the wizard writes (shortcuts, font resources, protocol replies) are built with
// this: little-endian numbers unless said otherwise, appended in order, patched in place once an
// offset is known.

#include <cstdint>
#include <string>
#include <vector>

namespace evalora {

class EscritorDeBytes {
 public:
  void U8(uint32_t v) { b_.push_back(static_cast<uint8_t>(v)); }
  void U16(uint32_t v) {
    U8(v & 0xFF);
    U8((v >> 8) & 0xFF);
  }
  void U32(uint32_t v) {
    U16(v & 0xFFFF);
    U16(v >> 16);
  }
  void U64(uint64_t v) {
    U32(static_cast<uint32_t>(v));
    U32(static_cast<uint32_t>(v >> 32));
  }
  void U16BE(uint32_t v) {
    U8((v >> 8) & 0xFF);
    U8(v & 0xFF);
  }
  void Texto(const std::string& t) { b_.insert(b_.end(), t.begin(), t.end()); }
  void Bytes(const std::vector<uint8_t>& bytes) { b_.insert(b_.end(), bytes.begin(), bytes.end()); }
  // UTF-16LE code units, without terminator.
  void Utf16(const std::u16string& texto) {
    for (char16_t u : texto) U16(u);
  }
  void Ceros(size_t n) { b_.insert(b_.end(), n, 0); }
  void Alinear(size_t a) { Ceros((a - b_.size() % a) % a); }
  void PonerU16(size_t en, uint32_t v) {
    b_[en] = static_cast<uint8_t>(v);
    b_[en + 1] = static_cast<uint8_t>(v >> 8);
  }
  void PonerU32(size_t en, uint32_t v) {
    PonerU16(en, v & 0xFFFF);
    PonerU16(en + 2, v >> 16);
  }
  size_t Tamano() const { return b_.size(); }
  const std::vector<uint8_t>& Datos() const { return b_; }
  std::vector<uint8_t> Soltar() { return std::move(b_); }

 private:
  std::vector<uint8_t> b_;
};

}  // namespace evalora
