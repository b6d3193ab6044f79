// A script of the user's actions, written before the program runs: each call
// queues one step, and the dialogs' loops play them in order as they wait for
// the user (User::Drive), whatever dialog is active then. Played by the
// scripted user of the layer linked in (drivers::TheUser()), so one script
// runs on every layer.
//
// The answers for the platform's own dialogs (message box, file dialogs,
// pop-up menus, the print dialog) wait beside the steps for the next dialog
// of their kind. When the steps run out while a dialog is still open, the
// script records a failure and ends that dialog with 2, so a test never hangs.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "drivers/layer_records.h"
#include "drivers/user.h"

namespace script {

// Forgets the steps, answers, records and failures; starts playing anew.
void Reset();

// ---- steps: each addresses the active dialog as it runs ----
void Click(int id);                      // push button, check box, notifying label
void ChooseMenu(int id);                 // an item of the menu bar
void SelectRow(int id, int index);       // a click on a list's entry
void DoubleClickRow(int id, int index);  // index -1: below the last entry
void DoubleClickBelowRows(int id);
void KeyDown(int vk, bool shift = false, bool ctrl = false);  // to the focused control
void KeyUp(int vk, bool shift = false, bool ctrl = false);
void Press(int vk, bool shift = false, bool ctrl = false);  // two steps: a release after a press that closed a dialog
                                         // reaches the dialog below
void PressCtrl(int vk);                  // the key pressed and released with Ctrl held (one step)
void Type(const std::string& text);      // characters into the focused edit field (UTF-8)
void ClearEdit();                        // the focused edit's whole text deleted (one change)
void Focus(int id);                      // the focus moves to control id
void RightClick(int id, int clientX, int clientY);
void Hover(int id);  // the pointer over control id, -1 over none
void CloseBox();
void Activate();  // the user comes back to the active dialog from another program
void Then(std::function<void()> check);  // the test's own code, run in the loop

// ---- answers for the next platform dialogs ----
void AnswerPrompt(int answer);
void AnswerFileDialog(bool confirmed, const std::string& path);
void ChoosePopup(int id);  // 0 dismisses the menu
void AnswerPrinterDialog(bool confirmed);

// ---- records ----
using PromptRecord = drivers::User::PromptSeen;
const std::vector<PromptRecord>& Prompts();
const std::vector<plat::FileDialogRequest>& FileDialogs();
plat::Window ActiveDialog();
// Everything the script and its user could not do, so far.
const std::vector<std::string>& Failures();
int UnusedScript();  // steps not played yet

}  // namespace script
