// One grocery item: a fixed 80-byte little-endian record, stored in the list
// file byte for byte. The struct is packed so that it is 80 bytes in memory
// too, with the fields at their file offsets: on a little-endian host a block
// of records is copied as it is (EncodeRecords/DecodeRecords); elsewhere
// every field is converted on its own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace pantrium {

// bits 0-4 day, 5-8 month, 9-15 year minus 2000; 0 = no date
using PackedDate = std::uint16_t;

constexpr int kTextField = 20;     // itemName, unitDescr, category names
constexpr int kHistorySlots = 5;
constexpr std::size_t kRecordSize = 80;

constexpr std::uint8_t kToBuy = 0x01;
constexpr std::uint8_t kSpecialBuy = 0x02;
constexpr std::uint8_t kAutoListed = 0x04;

#pragma pack(push, 1)
struct ItemRecord {
    std::uint8_t catg = 0;                 // 1-based category, 0 = none
    char itemName[kTextField] = {};
    char unitDescr[kTextField] = {};
    float pricePerUnit = 0;
    float unitsToBuy = 0;
    PackedDate buyDate[kHistorySlots] = {};  // BuyHistory, slot 1 (oldest) first
    float buyUnits[kHistorySlots] = {};
    std::uint8_t flags = 0;

    bool toBuy() const { return flags & kToBuy; }
    bool specialBuy() const { return flags & kSpecialBuy; }
    bool autoListed() const { return flags & kAutoListed; }
    void SetFlag(std::uint8_t bit, bool on) { flags = on ? (flags | bit) : (flags & ~bit); }
};
#pragma pack(pop)
static_assert(sizeof(ItemRecord) == kRecordSize, "ItemRecord must be 80 bytes");

// Stores text in a fixed-width field: cut to 20 bytes, padded with spaces.
void StoreTextField(char (&field)[kTextField], const std::string& text);
// All 20 bytes of a field, padding included.
std::string FieldText(const char (&field)[kTextField]);
// The field without leading and trailing blanks (as the list and editor show it).
std::string TrimmedField(const char (&field)[kTextField]);

// Explicit little-endian serialisation, independent of host layout.
void EncodeRecord(const ItemRecord& rec, std::uint8_t* out80);
// count records at once: count * 80 bytes.
void EncodeRecords(const ItemRecord* recs, std::size_t count, std::uint8_t* out);
void DecodeRecords(const std::uint8_t* in, std::size_t count, ItemRecord* recs);
ItemRecord DecodeRecord(const std::uint8_t* in80);
// The same, into an existing record (every field is overwritten).
void DecodeRecord(const std::uint8_t* in80, ItemRecord& rec);

}  // namespace pantrium
