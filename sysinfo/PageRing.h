// The pages in the order the keys step through them, as a ring: after the
// last comes the first again.
#pragma once

#include <array>

class InfoPage;

class PageRing {
public:
    static constexpr int Capacity = 4;

    // Adds a page behind the others; false when the ring is full. The first
    // page added is the current one.
    bool Add(InfoPage* page) noexcept;

    int Count() const noexcept { return m_count; }
    int CurrentIndex() const noexcept { return m_current; }
    // Null while the ring is empty.
    InfoPage* Current() const noexcept;
    InfoPage* At(int index) const noexcept;
    // The page the next step would show (the current one in a ring of one).
    InfoPage* Following() const noexcept;

    // Step to the next or previous page; nothing happens with fewer than two.
    void Next() noexcept;
    void Previous() noexcept;

    // Makes `page` current; true when that changed the current page. A page
    // that is not in the ring changes nothing.
    bool Select(const InfoPage* page) noexcept;

private:
    std::array<InfoPage*, Capacity> m_pages{};
    int m_count = 0;
    int m_current = 0;
};
