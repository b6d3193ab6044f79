#pragma once
#include "item_record.h"

namespace pantrium {

// What the auto list makes of one item, and why.
enum class AutoListOutcome {
    Proposes,           // units to buy of proposal, marked to buy and auto-listed
    OnTheList,          // it has units to buy already: left as it is
    TooFewPurchases,    // fewer than two counted purchases
    OneDay,             // first and last counted purchase on the same day
    LastBuyAfterToday,  // the last purchase is dated after today
    BoughtToday,        // nothing used up yet
    LessThanOne,        // under one unit used up since the last purchase
};

// The figures the auto list works from. Counted history: the entries from the
// first on while their units are not 0 (at most five).
struct AutoListReasoning {
    int purchases = 0;       // counted entries
    double unitsBought = 0;  // units of every counted purchase but the first
    int span = 0;            // days from the first counted purchase to the last
    int elapsed = 0;         // days from the last counted purchase to today
    float proposal = 0;      // unitsBought / span * elapsed; 0 below two purchases or span 0
    AutoListOutcome outcome = AutoListOutcome::TooFewPurchases;

    // The averages the rate comes from; only with two purchases or more.
    double DaysPerPurchase() const { return span / (purchases - 1.0); }
    double UnitsPerPurchase() const { return unitsBought / (purchases - 1); }
};

// today: the day number of today's date. The one place the auto list decides.
AutoListReasoning ReasonAutoList(const ItemRecord& rec, int today);
// The reasoning for a record of the table, with today's date.
AutoListReasoning AutoListReasoningOf(int recordIndex);

float ProposeUnits(int recordIndex);
// Proposes units for every row without units; asks for a redraw (mode 0) when it
// changed anything. Does not touch modified. Returns whether it changed anything.
bool RunAutoList();

}  // namespace pantrium
