#include "platform/driver/ControlRows.h"

#include "platform/Handles.h"

#include <commctrl.h>

namespace vellumate {
namespace {

constexpr std::size_t MaxTextLength = 64 * 1024;
constexpr std::size_t ItemTextCapacity = 1024;  // UTF-16 units per cell, as list views keep them
constexpr int MaxRows = 5000;                   // a bound against controls that never end
constexpr int MaxTreeDepth = 64;

bool ClassIs(std::wstring_view className, std::wstring_view wanted)
{
    return ::CompareStringOrdinal(className.data(), static_cast<int>(className.size()), wanted.data(),
                                  static_cast<int>(wanted.size()), TRUE) == CSTR_EQUAL;
}

// A block of memory inside another process, freed with it.
class RemoteBuffer {
public:
    RemoteBuffer(HWND owner, std::size_t size) : m_size(size)
    {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(owner, &processId);
        m_process.Reset(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
        if (m_process)
            m_address = ::VirtualAllocEx(m_process.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (m_address)
            ::VirtualFreeEx(m_process.Get(), m_address, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    explicit operator bool() const noexcept { return m_address != nullptr; }
    std::uintptr_t Address(std::size_t offset = 0) const noexcept
    {
        return reinterpret_cast<std::uintptr_t>(m_address) + offset;
    }

    bool Write(std::size_t offset, const void* data, std::size_t size) const noexcept
    {
        SIZE_T written = 0;
        return offset + size <= m_size &&
               ::WriteProcessMemory(m_process.Get(), reinterpret_cast<void*>(Address(offset)), data, size, &written) &&
               written == size;
    }
    bool Read(std::size_t offset, void* data, std::size_t size) const noexcept
    {
        SIZE_T read = 0;
        return offset + size <= m_size &&
               ::ReadProcessMemory(m_process.Get(), reinterpret_cast<const void*>(Address(offset)), data, size,
                                   &read) &&
               read == size;
    }

private:
    KernelHandle m_process;
    void* m_address = nullptr;
    std::size_t m_size;
};

// A text the control wrote into the remote buffer at `offset`.
std::wstring ReadRemoteText(const RemoteBuffer& buffer, std::size_t offset, std::size_t capacity)
{
    std::wstring text(capacity, L'\0');
    if (!buffer.Read(offset, text.data(), capacity * sizeof(wchar_t)))
        return {};
    text.resize(wcsnlen(text.c_str(), capacity));
    return text;
}

int QueryCount(HWND window, UINT message)
{
    const std::optional<LRESULT> count = QueryWindow(window, message);
    if (!count || *count < 0)
        return 0;
    return *count > MaxRows ? MaxRows : static_cast<int>(*count);
}

// LB_GETTEXT and CB_GETLBTEXT are carried across processes with a buffer of
// the size the length message reports.
std::wstring ReadStringItem(HWND window, UINT lengthMessage, UINT textMessage, int index)
{
    const std::optional<LRESULT> length = QueryWindow(window, lengthMessage, static_cast<WPARAM>(index));
    if (!length || *length <= 0 || static_cast<std::size_t>(*length) > MaxTextLength)
        return {};
    std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
    const std::optional<LRESULT> copied =
        QueryWindow(window, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (!copied || *copied < 0)
        return {};
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

void ReadListBox(HWND window, WindowNode& node)
{
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    const int count = QueryCount(window, LB_GETCOUNT);
    node.rowStyle = RowStyle::Indexed;
    if ((style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) && !(style & LBS_HASSTRINGS)) {
        node.unreadableRows = count;
        return;
    }
    const bool multiple = (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
    const LRESULT current = QueryWindow(window, LB_GETCURSEL).value_or(LB_ERR);
    const LRESULT caret = multiple ? QueryWindow(window, LB_GETCARETINDEX).value_or(LB_ERR) : LB_ERR;
    for (int index = 0; index < count; ++index) {
        ListRow row;
        row.cells.push_back(ReadStringItem(window, LB_GETTEXTLEN, LB_GETTEXT, index));
        row.selected =
            multiple ? QueryWindow(window, LB_GETSEL, static_cast<WPARAM>(index)).value_or(0) > 0 : current == index;
        row.focused = multiple && caret == index;
        node.rows.push_back(std::move(row));
    }
}

void ReadComboBox(HWND window, WindowNode& node)
{
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    const int count = QueryCount(window, CB_GETCOUNT);
    node.rowStyle = RowStyle::Indexed;
    if ((style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) && !(style & CBS_HASSTRINGS)) {
        node.unreadableRows = count;
        return;
    }
    const LRESULT current = QueryWindow(window, CB_GETCURSEL).value_or(CB_ERR);
    for (int index = 0; index < count; ++index) {
        ListRow row;
        row.cells.push_back(ReadStringItem(window, CB_GETLBTEXTLEN, CB_GETLBTEXT, index));
        row.selected = current == index;
        node.rows.push_back(std::move(row));
    }
}

void ReadListView(HWND window, WindowNode& node)
{
    node.rowStyle = RowStyle::Indexed;
    const int count = QueryCount(window, LVM_GETITEMCOUNT);
    if (count == 0)
        return;

    int columns = 1;
    const LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
    if ((style & LVS_TYPEMASK) == LVS_REPORT) {
        const auto header = reinterpret_cast<HWND>(QueryWindow(window, LVM_GETHEADER).value_or(0));
        if (header)
            columns = static_cast<int>(QueryWindow(header, HDM_GETITEMCOUNT).value_or(1));
        if (columns < 1)
            columns = 1;
    }

    constexpr std::size_t TextOffset = sizeof(LVITEMW);
    RemoteBuffer buffer(window, TextOffset + ItemTextCapacity * sizeof(wchar_t));
    if (!buffer) {
        node.unreadableRows = count;
        return;
    }
    for (int index = 0; index < count; ++index) {
        ListRow row;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = index;
            item.iSubItem = column;
            item.pszText = reinterpret_cast<wchar_t*>(buffer.Address(TextOffset));
            item.cchTextMax = static_cast<int>(ItemTextCapacity);
            const wchar_t nothing = L'\0';
            std::wstring text;
            if (buffer.Write(0, &item, sizeof item) && buffer.Write(TextOffset, &nothing, sizeof nothing) &&
                QueryWindow(window, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                            static_cast<LPARAM>(buffer.Address())))
                text = ReadRemoteText(buffer, TextOffset, ItemTextCapacity);
            row.cells.push_back(std::move(text));
        }
        const LRESULT state =
            QueryWindow(window, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED | LVIS_FOCUSED).value_or(0);
        row.selected = (state & LVIS_SELECTED) != 0;
        row.focused = (state & LVIS_FOCUSED) != 0;
        node.rows.push_back(std::move(row));
    }
}

HTREEITEM NextTreeItem(HWND window, HTREEITEM item, UINT relation)
{
    return reinterpret_cast<HTREEITEM>(
        QueryWindow(window, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)).value_or(0));
}

// The rows a person can reach by scrolling: every item whose ancestors are
// all expanded, in display order.
void ReadTreeView(HWND window, WindowNode& node)
{
    node.rowStyle = RowStyle::Tree;
    constexpr std::size_t TextOffset = sizeof(TVITEMW);
    RemoteBuffer buffer(window, TextOffset + ItemTextCapacity * sizeof(wchar_t));
    HTREEITEM item = NextTreeItem(window, nullptr, TVGN_ROOT);
    if (!buffer) {
        node.unreadableRows = item ? 1 : 0;
        return;
    }
    for (int rows = 0; item && rows < MaxRows; ++rows) {
        TVITEMW query{};
        query.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_STATE | TVIF_CHILDREN;
        query.hItem = item;
        query.stateMask = TVIS_EXPANDED | TVIS_SELECTED;
        query.pszText = reinterpret_cast<wchar_t*>(buffer.Address(TextOffset));
        query.cchTextMax = static_cast<int>(ItemTextCapacity);
        const wchar_t nothing = L'\0';

        ListRow row;
        if (buffer.Write(0, &query, sizeof query) && buffer.Write(TextOffset, &nothing, sizeof nothing) &&
            QueryWindow(window, TVM_GETITEMW, 0, static_cast<LPARAM>(buffer.Address())).value_or(0) &&
            buffer.Read(0, &query, sizeof query)) {
            row.cells.push_back(ReadRemoteText(buffer, TextOffset, ItemTextCapacity));
            const bool hasChildren = query.cChildren != 0 || NextTreeItem(window, item, TVGN_CHILD) != nullptr;
            if (hasChildren)
                row.expansion =
                    (query.state & TVIS_EXPANDED) ? ListRow::Expansion::Expanded : ListRow::Expansion::Collapsed;
            row.selected = (query.state & TVIS_SELECTED) != 0;
        } else {
            row.cells.emplace_back();
        }
        for (HTREEITEM parent = NextTreeItem(window, item, TVGN_PARENT); parent && row.depth < MaxTreeDepth;
             parent = NextTreeItem(window, parent, TVGN_PARENT))
            ++row.depth;
        node.rows.push_back(std::move(row));
        item = NextTreeItem(window, item, TVGN_NEXTVISIBLE);
    }
}

}  // namespace

std::optional<LRESULT> QueryWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL, ControlQueryTimeoutMs,
                               &result))
        return std::nullopt;
    return static_cast<LRESULT>(result);
}

std::wstring ReadWindowText(HWND window)
{
    const std::optional<LRESULT> length = QueryWindow(window, WM_GETTEXTLENGTH);
    if (length && *length >= 0 && static_cast<std::size_t>(*length) <= MaxTextLength) {
        std::wstring text(static_cast<std::size_t>(*length) + 1, L'\0');
        const std::optional<LRESULT> copied =
            QueryWindow(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
        if (copied && *copied >= 0) {
            text.resize(wcsnlen(text.c_str(), text.size()));
            // A picture control made from a template keeps its picture's
            // resource number as its text: 0xFFFF, then the number.
            if (text.size() == 2 && text[0] == 0xFFFF)
                return L"#" + std::to_wstring(static_cast<unsigned>(text[1]));
            return text;
        }
    }
    wchar_t stored[512];
    const int storedLength =
        ::InternalGetWindowText(window, stored, static_cast<int>(sizeof stored / sizeof stored[0]));
    return std::wstring(stored, storedLength > 0 ? static_cast<std::size_t>(storedLength) : 0);
}

void ReadControlRows(HWND window, WindowNode& node)
{
    const std::wstring_view name = node.className;
    if (ClassIs(name, L"ListBox") || ClassIs(name, L"ComboLBox"))
        ReadListBox(window, node);
    else if (ClassIs(name, L"ComboBox"))
        ReadComboBox(window, node);
    else if (ClassIs(name, WC_LISTVIEWW))
        ReadListView(window, node);
    else if (ClassIs(name, WC_TREEVIEWW))
        ReadTreeView(window, node);
}

}  // namespace vellumate
