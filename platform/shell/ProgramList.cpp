#include "platform/shell/ProgramList.h"

#include <algorithm>

namespace vellumate {

void ProgramList::Assign(std::vector<StartMenuEntry> entries)
{
    const std::wstring previousName = Current() ? Current()->name : std::wstring();
    const int previousIndex = highlight_;
    entries_ = std::move(entries);

    highlight_ = entries_.empty() ? -1 : std::clamp(previousIndex, 0, Count() - 1);
    if (!previousName.empty()) {
        const auto same = std::find_if(entries_.begin(), entries_.end(),
                                       [&](const StartMenuEntry& entry) { return entry.name == previousName; });
        if (same != entries_.end())
            highlight_ = static_cast<int>(same - entries_.begin());
    }
    topRow_ = std::clamp(topRow_, 0, std::max(0, Count() - visibleRows_));
    ScrollToHighlight();
}

void ProgramList::SetVisibleRows(int rows)
{
    visibleRows_ = std::max(1, rows);
    topRow_ = std::clamp(topRow_, 0, std::max(0, Count() - visibleRows_));
    ScrollToHighlight();
}

bool ProgramList::MoveHighlight(int delta)
{
    if (entries_.empty())
        return false;
    return SetHighlight(std::clamp(highlight_ + delta, 0, Count() - 1));
}

bool ProgramList::SetHighlight(int index)
{
    if (index < 0 || index >= Count())
        return false;
    if (index == highlight_)
        return false;
    highlight_ = index;
    ScrollToHighlight();
    return true;
}

const StartMenuEntry* ProgramList::Current() const noexcept
{
    return highlight_ >= 0 && highlight_ < Count() ? &entries_[static_cast<std::size_t>(highlight_)] : nullptr;
}

std::wstring ProgramList::VisibleText() const
{
    std::wstring text;
    const int end = std::min(Count(), topRow_ + visibleRows_);
    for (int row = topRow_; row < end; ++row) {
        if (!text.empty())
            text += L'\n';
        text += row == highlight_ ? L"> " : L"  ";
        text += entries_[static_cast<std::size_t>(row)].name;
    }
    return text;
}

void ProgramList::ScrollToHighlight()
{
    if (highlight_ < 0)
        return;
    if (highlight_ < topRow_)
        topRow_ = highlight_;
    else if (highlight_ >= topRow_ + visibleRows_)
        topRow_ = highlight_ - visibleRows_ + 1;
}

}  // namespace vellumate
