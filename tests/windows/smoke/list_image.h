// The bytes of a list file, built independently of the program's own writer
// so that the smoke test can compare what the program saved byte for byte.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace smoke {

struct ListItem {
    std::uint8_t catg = 0;
    std::string name, unitDescr;
    float price = 0, unitsToBuy = 0;
    std::uint16_t buyDate[5] = {};
    float buyUnits[5] = {};
    std::uint8_t flags = 0;  // 1 toBuy, 2 specialBuy, 4 autoListed
};

struct ListImage {
    std::vector<std::int32_t> rowOrder;  // rows 1..n, record indices
    std::vector<ListItem> records;       // records 1..n
    std::vector<std::string> categories;
};

constexpr std::uint8_t kToBuy = 1, kSpecialBuy = 2, kAutoListed = 4;

std::uint16_t PackedDate(int month, int day, int year);  // year 2000..2099
std::string ListFileBytes(const ListImage& list);
std::string ReadFileBytes(const std::string& path);      // empty when missing
bool WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace smoke
