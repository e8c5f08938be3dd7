// What the screen shows, as data: the windows in Z order with their controls,
// texts, states, list rows and published screen text, and its text form.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumate {

struct ListRow {
    enum class Expansion { Leaf, Collapsed, Expanded };

    std::vector<std::wstring> cells;  // list views: one per column; other lists: one
    int depth = 0;                    // tree rows: 0 for a root
    bool selected = false;
    bool focused = false;
    Expansion expansion = Expansion::Leaf;  // tree rows
};

enum class RowStyle {
    None,
    Indexed,  // list box, combo box, list view: "row N ..."
    Tree,     // tree view: rows indented by depth
};

struct WindowNode {
    std::wstring className;
    std::optional<int> controlId;  // child windows only
    std::wstring text;
    RECT rect{};  // screen coordinates
    bool visible = true;
    bool enabled = true;
    bool focused = false;
    bool foreground = false;
    std::optional<UINT>
        checkState;  // BST_UNCHECKED / BST_CHECKED / BST_INDETERMINATE, for check boxes and radio buttons

    RowStyle rowStyle = RowStyle::None;
    std::vector<ListRow> rows;
    int unreadableRows = 0;  // owner-drawn rows without text

    std::optional<std::wstring> screenText;  // what the window published
    std::vector<WindowNode> children;        // in Z order, top first
};

// The snapshot as indented text, one line per window, list row and published
// line; children indented by two spaces under their parent. For example:
//
//   MSStart "Home" @0,20 176x200 focused foreground
//     text "> Tarnwell"
//   #32770 "Find" @0,20 176x180
//     Edit id=1001 "notes" @4,40 168x18
//     ListBox id=1002 "" @4,62 168x80
//       row 0 "alpha" selected
//
// Texts are in quotation marks; a quotation mark inside is written \", line
// breaks and other control characters as \n, \r, \t, \xNN. Flags follow the
// rectangle in a fixed order and only when they differ from the usual:
// hidden, disabled, checked/unchecked/indeterminate, focused, foreground.
std::wstring FormatSnapshot(const std::vector<WindowNode>& windows);

// A text in quotation marks, escaped as described above.
std::wstring QuoteText(std::wstring_view text);

}  // namespace vellumate
