// The 80-byte item record and its fixed-width text fields.
#include "item_record.h"

#include <bit>
#include <cstddef>
#include <cstring>

namespace pantrium {
namespace {

void Put16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void PutFloat(std::uint8_t* p, float v) { Put32(p, std::bit_cast<std::uint32_t>(v)); }

std::uint16_t Get16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Get32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}

float GetFloat(const std::uint8_t* p) { return std::bit_cast<float>(Get32(p)); }

// Field offsets inside the stored record.
constexpr int kCatg = 0, kName = 1, kUnit = 21, kPrice = 41, kUnits = 45, kDates = 49,
              kBought = 59, kFlags = 79;

// The struct holds every field at its offset in the file.
static_assert(offsetof(ItemRecord, catg) == kCatg && offsetof(ItemRecord, itemName) == kName &&
              offsetof(ItemRecord, unitDescr) == kUnit && offsetof(ItemRecord, pricePerUnit) == kPrice &&
              offsetof(ItemRecord, unitsToBuy) == kUnits && offsetof(ItemRecord, buyDate) == kDates &&
              offsetof(ItemRecord, buyUnits) == kBought && offsetof(ItemRecord, flags) == kFlags);
constexpr bool kFileLayoutInMemory = std::endian::native == std::endian::little;

}  // namespace

void StoreTextField(char (&field)[kTextField], const std::string& text) {
    std::size_t len = text.size() < kTextField ? text.size() : kTextField;
    std::memcpy(field, text.data(), len);
    std::memset(field + len, ' ', kTextField - len);
}

std::string FieldText(const char (&field)[kTextField]) { return std::string(field, kTextField); }

std::string TrimmedField(const char (&field)[kTextField]) {
    std::string s = FieldText(field);
    std::size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

void EncodeRecord(const ItemRecord& rec, std::uint8_t* out) {
    out[kCatg] = rec.catg;
    std::memcpy(out + kName, rec.itemName, kTextField);
    std::memcpy(out + kUnit, rec.unitDescr, kTextField);
    PutFloat(out + kPrice, rec.pricePerUnit);
    PutFloat(out + kUnits, rec.unitsToBuy);
    for (int i = 0; i < kHistorySlots; ++i) {
        Put16(out + kDates + 2 * i, rec.buyDate[i]);
        PutFloat(out + kBought + 4 * i, rec.buyUnits[i]);
    }
    out[kFlags] = rec.flags;
}

void EncodeRecords(const ItemRecord* recs, std::size_t count, std::uint8_t* out) {
    if (kFileLayoutInMemory) {
        if (count) std::memcpy(out, recs, count * kRecordSize);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) EncodeRecord(recs[i], out + i * kRecordSize);
}

void DecodeRecords(const std::uint8_t* in, std::size_t count, ItemRecord* recs) {
    if (kFileLayoutInMemory) {
        if (count) std::memcpy(static_cast<void*>(recs), in, count * kRecordSize);
        return;
    }
    for (std::size_t i = 0; i < count; ++i) DecodeRecord(in + i * kRecordSize, recs[i]);
}

ItemRecord DecodeRecord(const std::uint8_t* in) {
    ItemRecord rec;
    DecodeRecord(in, rec);
    return rec;
}

void DecodeRecord(const std::uint8_t* in, ItemRecord& rec) {
    rec.catg = in[kCatg];
    std::memcpy(rec.itemName, in + kName, kTextField);
    std::memcpy(rec.unitDescr, in + kUnit, kTextField);
    rec.pricePerUnit = GetFloat(in + kPrice);
    rec.unitsToBuy = GetFloat(in + kUnits);
    for (int i = 0; i < kHistorySlots; ++i) {
        rec.buyDate[i] = Get16(in + kDates + 2 * i);
        rec.buyUnits[i] = GetFloat(in + kBought + 4 * i);
    }
    rec.flags = in[kFlags];
}

}  // namespace pantrium
