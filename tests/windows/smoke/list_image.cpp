#include "list_image.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace smoke {

namespace {

void PutInt(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

void PutFloat(std::string& out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    PutInt(out, bits, 4);
}

void PutText20(std::string& out, const std::string& text) {
    std::string field = text.substr(0, 20);
    field.resize(20, ' ');
    out += field;
}

}  // namespace

std::uint16_t PackedDate(int month, int day, int year) {
    return static_cast<std::uint16_t>(day | (month << 5) | ((year - 2000) << 9));
}

std::string ListFileBytes(const ListImage& list) {
    std::string out = "Pantrium 1.50";
    PutInt(out, static_cast<std::uint32_t>(list.records.size()), 4);
    PutInt(out, static_cast<std::uint32_t>(list.categories.size()), 4);
    for (std::int32_t index : list.rowOrder) PutInt(out, static_cast<std::uint32_t>(index), 4);
    for (const ListItem& item : list.records) {
        PutInt(out, item.catg, 1);
        PutText20(out, item.name);
        PutText20(out, item.unitDescr);
        PutFloat(out, item.price);
        PutFloat(out, item.unitsToBuy);
        for (std::uint16_t date : item.buyDate) PutInt(out, date, 2);
        for (float units : item.buyUnits) PutFloat(out, units);
        PutInt(out, item.flags, 1);
    }
    for (const std::string& name : list.categories) PutText20(out, name);
    return out;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace smoke
