// Check out: the confirmation, the date dialog, the price dialog and undo.
#include "ui/dialogs/checkout_dialogs.h"

#include <string>

#include "data/checkout.h"
#include "data/dates.h"
#include "data/item_table.h"
#include "data/number_text.h"
#include "platform/window.h"
#include "ui/dialogs/message_box.h"

namespace pantrium {

namespace {

enum : int {
    kDateBox = 301, kUpdatePricesBox = 302, kItemLabel = 303, kBoughtBox = 304, kPriceBox = 305,
};
constexpr unsigned kEditStyle = plat::kClientEdge | plat::kAutoHScroll | plat::kTabStop;

plat::DialogSpec CheckoutSpec(plat::Window owner, int width, int height) {
    plat::DialogSpec spec;
    spec.caption = "Check Out";
    spec.width = width;
    spec.height = height;
    spec.owner = owner;
    return spec;
}

// What the date dialog was told.
struct CheckoutChoice {
    bool confirmed = false;
    PackedDate date = 0;
    bool updatePrices = false;
};

}  // namespace

CheckoutOutcome BeginCheckout(plat::Window owner, const ListRefresh& refreshList) {
    if (itemTable.itemsToBuy <= 0) return {};
    if (StandardPrompt("Did you buy all of the checked items?", "Check out", 36) != 6) {
        StandardPrompt("First, update items bought... \r\nand then return to check out", "CHECK OUT", 64);
        return {};
    }
    TakeCheckoutSnapshot();  // stands even when the date dialog is cancelled
    return CheckoutDialog(owner, refreshList);
}

CheckoutOutcome CheckoutDialog(plat::Window owner, const ListRefresh& refreshList) {
    using namespace plat;
    DialogSpec spec = CheckoutSpec(owner, 200, 120);
    spec.controls = {
        {-1, Kind::Label, "Check out date: ", {10, 10, 80, 16}, 0},
        {kDateBox, Kind::Edit, TodayText(), {95, 10, 70, 20}, kEditStyle},
        {kUpdatePricesBox, Kind::CheckBox, "Update checkout prices", {10, 42, 200, 20}, kTabStop},
        {1, Kind::Button, "Ok", {90, 80, 60, 30}, kTabStop},
    };

    CheckoutChoice choice;
    RunDialog(spec, [&choice](Window dlg, const Event& e) {
        if (e.msg != Msg::Command) return 0;
        if (e.id == 1) {
            std::string text = GetText(dlg, kDateBox);
            if (!NormalizeDateText(text)) {
                StandardPrompt("Must enter valid date", "Invalid Date", 16);
                SetFocus(dlg, kDateBox);
                return 0;
            }
            choice.date = PackDate(text);
            choice.updatePrices = GetCheck(dlg, kUpdatePricesBox);
            choice.confirmed = true;
            EndDialog(dlg, 1);
        } else if (e.id == 2) {
            EndDialog(dlg, 2);
        }
        return 0;
    });
    if (!choice.confirmed) return {};

    CheckoutOutcome outcome;
    ApplyCheckout(choice.date, choice.updatePrices, itemTable.itemsToBuy, [&](int recordIndex) {
        const PriceAnswer answer = CheckoutPriceDialog(owner, recordIndex);
        outcome.endedWithNext = outcome.endedWithNext || answer.endedWithNext;
        return answer.price;
    });
    PassPendingRefresh(refreshList);
    outcome.checkedOut = true;
    return outcome;
}

void ShowCheckoutDone() { StandardPrompt("Checkout is done  ", "Checkout", 64); }

PriceAnswer CheckoutPriceDialog(plat::Window owner, int recordIndex) {
    using namespace plat;
    const ItemRecord& rec = itemTable.records[recordIndex];
    DialogSpec spec = CheckoutSpec(owner, 220, 150);
    spec.controls = {
        {kItemLabel, Kind::Label, "", {10, 10, 200, 16}, 0},
        {-1, Kind::Label, "Units bought:", {10, 40, 80, 20}, 0},
        {kBoughtBox, Kind::Edit, "", {80, 38, 50, 20}, kEditStyle},
        {-1, Kind::Label, "Checkout Price:", {10, 70, 80, 20}, 0},
        {kPriceBox, Kind::Edit, "", {95, 68, 70, 20}, kEditStyle},
        {1, Kind::Button, "Next", {70, 105, 60, 30}, kTabStop},
    };

    PriceAnswer answer;  // a price of 0 when the dialog is closed with its close box
    RunDialog(spec, [&rec, &answer](Window dlg, const Event& e) {
        if (e.msg == Msg::Init) {
            SetText(dlg, kItemLabel, "Item: " + FieldText(rec.itemName));
            SetText(dlg, kBoughtBox, MoneyMask(rec.unitsToBuy));
            SetText(dlg, kPriceBox, MoneyMask(AmountCost(rec.pricePerUnit, rec.unitsToBuy)));
            return 0;
        }
        if (e.msg != Msg::Command) return 0;
        if (e.id == kBoughtBox && e.code == Code::Change) {
            // The amount paid follows the units; a typed amount is overwritten.
            const float units = ToAmount(TextToNumber(GetText(dlg, kBoughtBox)));
            SetText(dlg, kPriceBox, MoneyMask(AmountCost(rec.pricePerUnit, units)));
        } else if (e.id == 1) {
            answer.endedWithNext = true;
            double paid = ToAmount(TextToNumber(GetText(dlg, kPriceBox)));
            const double units = ToAmount(TextToNumber(GetText(dlg, kBoughtBox)));
            if (units != 0) paid /= units;  // the amount paid for all units -> price per unit
            answer.price = ToAmount(paid);
            EndDialog(dlg, 1);
        } else if (e.id == 2) {
            EndDialog(dlg, 2);  // Escape, as the close box: the price stays
        }
        return 0;
    });
    return answer;
}

namespace {

// Why there is nothing to undo; false when the undo is available.
bool TellUndoNotAvailable() {
    switch (CheckoutUndoState()) {
    case UndoCheckoutState::Available: return false;
    case UndoCheckoutState::NoCheckout: StandardPrompt("There is no checkout to undo.", "Check out", 64); break;
    case UndoCheckoutState::MergedSince:
        StandardPrompt("The last checkout can no longer be undone:\r\n"
                       "the list has since taken in changes saved by another program,\r\n"
                       "which undoing the checkout would remove.",
                       "Check out", 64);
        break;
    }
    return true;
}

}  // namespace

void UndoCheckoutCommand(const ListRefresh& refreshList) {
    if (TellUndoNotAvailable()) return;
    if (StandardPrompt("Undo check out now?", "Check out", 4) != 6) return;
    if (!UndoCheckout()) {
        TellUndoNotAvailable();
        return;
    }
    PassPendingRefresh(refreshList);
}

}  // namespace pantrium
