// The contacts of the copy-from-Contacts list: per contact a name line and a
// line per phone number, the numbers the user marks, the focused line and
// the top line. Pure model: the dialog draws it and hands it the keys.
#pragma once

#include "simmanager/ContactFields.h"

#include "framework/String.h"

#include <vector>

// Flags of a line.
inline constexpr WORD LinePresent = 1;
inline constexpr WORD LineMarked = 2;
inline constexpr WORD LineFocused = 4;

// One contact: line 0 is its name, line k (1 to 8) its number of kind k.
struct ContactRow {
    static constexpr int LineCount = NumberKindCount + 1;

    String firstName;
    String middleName;
    String lastName;
    String lines[LineCount];
    String labels[LineCount];  // 1 to 8: the kinds' labels; 0 is drawn as "%d/%d"
    WORD flags[LineCount] = {};
    int firstLine = 0;  // in the whole list
    int endLine = 0;    // one past the row's last line

    // A row for these names and numbers (numbers[k - 1] of kind k, already
    // reduced to number characters).
    static ContactRow Make(const String& first, const String& middle, const String& last,
                           const String (&numbers)[NumberKindCount], const NumberKindLabels& labels);

    bool IsPresent(int line) const noexcept { return (flags[line] & LinePresent) != 0; }
    bool IsMarked(int line) const noexcept { return (flags[line] & LineMarked) != 0; }
};

// Where a line of the whole list is: its contact and its line in the row.
struct ContactLine {
    int row = -1;
    int line = -1;  // 0 the name, 1 to 8 a number
};

class ContactList {
public:
    // Appends a contact with at least one name part and one number; others
    // are not shown. False when it was left out.
    bool Append(ContactRow row);

    int RowCount() const noexcept { return static_cast<int>(m_rows.size()); }
    const ContactRow& Row(int row) const noexcept { return m_rows[static_cast<std::size_t>(row)]; }
    int LineCount() const noexcept { return m_lineCount; }
    int FocusedLine() const noexcept { return m_focusedLine; }  // -1: none
    int TopLine() const noexcept { return m_topLine; }
    int MarkedCount() const noexcept { return m_markedCount; }
    ContactLine LineAt(int line) const noexcept;

    // Moves the focus by `delta` lines (no wrap), scrolling so that it stays
    // among the `page` lines shown. The first move without focus lands on
    // the first line.
    void MoveFocus(int delta, int page) noexcept;
    // The action key on the focused line: a number line's mark changes; on a
    // name line every number of the contact is cleared when the name was
    // marked, else marked.
    void ToggleFocused() noexcept;
    void MarkAll() noexcept;
    void ClearMarks() noexcept;

    // Copy is offered with a contact and a marked number.
    bool CanCopy() const noexcept { return RowCount() > 0 && m_markedCount > 0; }

private:
    ContactRow* RowOf(int line, int& inRow) noexcept;
    void SetNumberMarks(ContactRow& row, bool marked) noexcept;
    // The name line is marked when each of its numbers is; counts the marks.
    void Recount() noexcept;

    std::vector<ContactRow> m_rows;
    int m_lineCount = 0;
    int m_focusedLine = -1;
    int m_topLine = 0;
    int m_markedCount = 0;
};
