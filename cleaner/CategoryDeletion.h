// Deleting a category's contents once the user has confirmed it: the
// messages of the mail store, the records of the phone store or the voice
// notes, and the message that tells the result.
#pragma once

#include "cleaner/Categories.h"

#include <windows.h>

// The status text's styles.
enum class StatusStyle { Normal = 0, Bold = 1, Error = 2 };

struct DeletionResult {
    bool succeeded = false;
    UINT message = 0;  // the result string
    StatusStyle style = StatusStyle::Bold;
    unsigned count = 0;  // what the message counts (16-bit as the handset shows it)
    // An unread counter went down on a system that has the mail program's
    // window close when its folders change.
    bool closeMailWindow = false;
};

DeletionResult DeleteCategory(const Category& category);
