#pragma once
#include <string>

namespace pantrium {

// Prints the item table: onlyToBuy != 0 prints the shopping list (items to
// buy, line step 2), 0 the whole table (line step 1). Returns the PDF file
// the list went to when it went to one the user is to be told of, else "".
std::string PrintList(int onlyToBuy);

// The PDF file proposed when the list is printed to a file: beside the list
// file and named after it ("my Pantrium.pdf", "my Pantrium - all.pdf" for the
// whole table); a list without a path is "Pantrium" in the current folder.
// A relative list path is taken from the current folder.
std::string PdfPathFor(const std::string& listPath, int onlyToBuy);

}  // namespace pantrium
