#pragma once
// The quote record: 66 packed little-endian bytes. The same block is the
// payload of a TStock, the unit the page import produces and one record of
// the quote file, and it always moves whole.
//
//   off size field          off size field
//    0   8  Code  (len + 7)  30   4  PrevClose (single)
//    8  11  Name  (len + 10) 34   4  Bid
//   19   1  Market           38   4  Ask
//   20   1  CategoryGroup    42   4  Last
//   21   1  Category         46   4  Change
//   22   8  QuoteTime        50   4  Open
//            (double, days   54   4  High
//             since          58   4  Low
//             1899-12-30)    62   4  Volume
//
// Code and Name are short strings: a length byte, then the text. The bytes
// after the text carry no meaning but travel with the block unchanged. Fields
// after offset 21 are unaligned, so every access copies bytes.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kivrel {

static_assert(std::endian::native == std::endian::little, "the quote record is little-endian");

class StockRecord {
 public:
  static constexpr std::size_t kSize = 66;
  static constexpr std::size_t kCodeCapacity = 7;
  static constexpr std::size_t kNameCapacity = 10;

  StockRecord() = default;
  explicit StockRecord(const std::uint8_t* bytes) { std::memcpy(bytes_.data(), bytes, kSize); }

  const std::uint8_t* Bytes() const { return bytes_.data(); }
  std::uint8_t* Bytes() { return bytes_.data(); }

  // Short strings read at their stored length, clamped to the field's room.
  std::string_view Code() const { return ShortString(kCodeOffset, kCodeCapacity); }
  std::string_view Name() const { return ShortString(kNameOffset, kNameCapacity); }
  // Stores the first min(size, room) bytes and that count as the length.
  void SetCode(std::string_view text) { SetShortString(kCodeOffset, kCodeCapacity, text); }
  void SetName(std::string_view text) { SetShortString(kNameOffset, kNameCapacity, text); }

  std::uint8_t Market() const { return bytes_[19]; }
  std::uint8_t CategoryGroup() const { return bytes_[20]; }
  std::uint8_t Category() const { return bytes_[21]; }
  void SetMarket(std::uint8_t v) { bytes_[19] = v; }
  void SetCategoryGroup(std::uint8_t v) { bytes_[20] = v; }
  void SetCategory(std::uint8_t v) { bytes_[21] = v; }

  double QuoteTime() const { return Get<double>(22); }
  float PrevClose() const { return Get<float>(30); }
  float Bid() const { return Get<float>(34); }
  float Ask() const { return Get<float>(38); }
  float Last() const { return Get<float>(42); }
  float Change() const { return Get<float>(46); }
  float Open() const { return Get<float>(50); }
  float High() const { return Get<float>(54); }
  float Low() const { return Get<float>(58); }
  float Volume() const { return Get<float>(62); }

  void SetQuoteTime(double v) { Set(22, v); }
  void SetPrevClose(float v) { Set(30, v); }
  void SetBid(float v) { Set(34, v); }
  void SetAsk(float v) { Set(38, v); }
  void SetLast(float v) { Set(42, v); }
  void SetChange(float v) { Set(46, v); }
  void SetOpen(float v) { Set(50, v); }
  void SetHigh(float v) { Set(54, v); }
  void SetLow(float v) { Set(58, v); }
  void SetVolume(float v) { Set(62, v); }

  friend bool operator==(const StockRecord&, const StockRecord&) = default;

 private:
  static constexpr std::size_t kCodeOffset = 0;
  static constexpr std::size_t kNameOffset = 8;

  template <class T>
  T Get(std::size_t offset) const {
    T v;
    std::memcpy(&v, bytes_.data() + offset, sizeof v);
    return v;
  }
  template <class T>
  void Set(std::size_t offset, T v) {
    std::memcpy(bytes_.data() + offset, &v, sizeof v);
  }
  std::string_view ShortString(std::size_t offset, std::size_t capacity) const {
    std::size_t len = bytes_[offset];
    if (len > capacity) len = capacity;
    return {reinterpret_cast<const char*>(bytes_.data() + offset + 1), len};
  }
  void SetShortString(std::size_t offset, std::size_t capacity, std::string_view text) {
    const std::size_t len = text.size() < capacity ? text.size() : capacity;
    bytes_[offset] = static_cast<std::uint8_t>(len);
    if (len > 0) std::memcpy(bytes_.data() + offset + 1, text.data(), len);  // an empty view may hold no pointer
  }

  std::array<std::uint8_t, kSize> bytes_{};
};

static_assert(sizeof(StockRecord) == StockRecord::kSize, "a quote record is exactly 66 bytes");

}  // namespace kivrel
