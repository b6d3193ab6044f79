// Purchase dates: PackedDate, the text MM-DD-YY, today MM-DD-YYYY, Julian day numbers.
#pragma once
#include <functional>
#include <string>

#include "item_record.h"

namespace pantrium {

std::string FormatPackedDate(PackedDate d);
bool NormalizeDateText(std::string& text);
int DaysInMonth(int month, int year);
int DayNumber(const std::string& text);   // MM-DD-YY or MM-DD-YYYY
std::string TodayText();                  // local date, MM-DD-YYYY
PackedDate PackDate(const std::string& normalized);
std::string LastBuyText(const ItemRecord& rec);
// Day number of a stored date, from its fields (any value gives some number).
int DayNumberOf(PackedDate d);

// Tests fix "today" here (a MM-DD-YYYY text); empty = the system clock.
extern std::string todayOverride;

}  // namespace pantrium
