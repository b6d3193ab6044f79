// The item table as CSV text for spreadsheets, and such text merged back
// into the table. Standard library only: how the list's ANSI text and UTF-8
// convert is the caller's (it depends on the system's code page).
//
// The CSV form (RFC 4180): a header line, then one line per item in row
// order; fields holding a separator, a quote, a line break, a tab or a
// leading blank are quoted, quotes inside doubled; CR LF after every line.
// Export writes UTF-8 after a byte-order mark (so that Excel reads it right)
// with "," between fields. Import reads UTF-8 after the mark, and without it
// when all of the file is well-formed UTF-8 with letters beyond ASCII (as
// LibreOffice saves it), else ANSI; with ",", ";" (as Excel writes it where
// the comma is the decimal mark) or a tab between fields, whichever the
// header line uses most (or the one a first line "sep=;" names).
//
// Columns, found by their header name (any letter case, in any order; a
// column the file lacks leaves an existing item's value as it is):
//   Category, Item, Unit, Price, Units to buy, On list, One-time buy,
//   Auto-listed, Purchase 1 date, Purchase 1 units, ... Purchase 5 units.
// Numbers: a point, no thousands separator, the shortest text that reads
// back as the same single-precision value ("2.5", "0.1", "-3", "1e+20"); a
// file with ";" may use a decimal comma. Marks: yes or no. Dates: YYYY-MM-DD
// (also D.M.YYYY and M/D/YYYY as spreadsheets may rewrite them); empty for
// an unused purchase slot.
//
// An item is identified by its category and name (the category by its name,
// letter case aside when no name matches exactly). A row updates the first
// item of that category and name that no earlier row updated, else it adds
// an item; a category the table lacks is added.
#pragma once
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "categories.h"
#include "item_record.h"
#include "item_table.h"

namespace pantrium {

struct CsvTextCoding {
    // The list's ANSI text as UTF-8.
    std::function<std::string(const std::string& ansi)> ansiToUtf8;
    // UTF-8 text as ANSI; false when a character had no form there (it was
    // replaced).
    std::function<bool(const std::string& utf8, std::string& ansi)> utf8ToAnsi;
};
// Both conversions keep the bytes (an ANSI code page that is UTF-8).
CsvTextCoding SameBytesCoding();

constexpr int kCsvColumns = 18;
// The header names in export order (index: column).
extern const char* const kCsvHeader[kCsvColumns];

// The whole table: byte-order mark, header, one line per row, CR LF line ends.
std::string TableToCsv(const ItemTable& table, const CsvTextCoding& coding);

// A line of the file and what is said about it.
struct CsvNote {
    int line = 0;
    std::string text;  // UTF-8, e.g. line 7: price "abc" is not a number
};

// One row of the file that can go into a table.
struct CsvItem {
    int line = 0;
    char category[kTextField];  // as stored: padded with blanks; all blanks = none
    ItemRecord rec;             // name, unit, amounts, marks, history; catg unset
    std::uint32_t given = 0;    // bit c: the file has column c
};

struct CsvFile {
    std::vector<CsvItem> items;
    std::vector<CsvNote> skipped;   // rows left out, with the reason
    std::vector<CsvNote> replaced;  // rows holding letters the ANSI code page lacks
    std::string problem;            // why nothing of the file can be read; empty when it can
};

// Reads CSV bytes (any bytes: nothing in them can make it fail).
CsvFile ParseCsv(std::string_view bytes, const CsvTextCoding& coding);

struct CsvLimits {
    std::int64_t maxItems = std::numeric_limits<std::int32_t>::max();  // the list file's count
    int maxCategories = kMaxCategories;
};

struct CsvImportCounts {
    int added = 0, changed = 0, unchanged = 0, newCategories = 0;
    // Every row left out, by line: the file's and those the table's limits refuse.
    std::vector<CsvNote> skipped;
};

// What merging the rows of file into table would do; the table is not changed.
CsvImportCounts PlanCsvImport(const ItemTable& table, const CsvFile& file, const CsvLimits& limits = {});
// Merges them: existing rows keep their places, a new item takes its row
// where its sort key fits among them (into an empty table: the file's order).
// When anything changed: modified is set, a redraw of every row asked for,
// and a checkout taken before can no longer be undone (its snapshot would
// drop the imported changes without a word).
CsvImportCounts ApplyCsvImport(ItemTable& table, const CsvFile& file, const CsvLimits& limits = {});

}  // namespace pantrium
