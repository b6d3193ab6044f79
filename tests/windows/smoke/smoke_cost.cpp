#include "smoke_cost.h"

#include <string>
#include <vector>

#include "list_image.h"
#include "smoke_support.h"
#include "ui/main/main_window.h"

namespace smoke {

namespace {

const char* const kCostList = "cost list.ptm";

bool PdfWritten(const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    return bytes.size() > 20 && bytes.compare(0, 5, "%PDF-") == 0 &&
           bytes.find("%%EOF", bytes.size() - 20) != std::string::npos;
}

}  // namespace

bool WriteCostStartFiles() {
    ListImage list;
    list.categories = {"deli"};
    list.records = {{1, "Olives", "jar", 0.335f, 3, {}, {}, kToBuy}};
    list.rowOrder = {1};
    return WriteFileBytes(kCostList, ListFileBytes(list)) &&
           WriteFileBytes("pantrium.ini", std::string(kCostList) + "\r\n");
}

DWORD WINAPI DriveCostRun(LPVOID) {
    HWND dlg = FindTopWindow("cost list", 20000);
    if (!dlg) {
        Log("FAIL: the main window \"cost list\" did not come up; the cost case cannot go on");
        ExitProcess(2);
    }
    // The row and the total show 1.01 (the UI tests check that on the Win32
    // layer); the printed line must show the same.
    HWND list = GetDlgItem(dlg, pantrium::kItemList);
    WaitFor([&] { return ListRows(list).size() == 1; }, 3000);

    SetEnvironmentVariableA("PANTRIUM_PRINT_TO", "smoke-print-cost.pdf");
    Click(GetDlgItem(dlg, pantrium::kPrintListButton));
    Check(WaitFor([] { return PdfWritten("smoke-print-cost.pdf"); }, 15000), "the cost case prints");
    WriteFileBytes("expect-print-cost", "");

    Command(dlg, pantrium::kCmdExit);
    Check(WaitGone(dlg), "Exit closes the unchanged cost list without a prompt");
    return 0;
}

}  // namespace smoke
