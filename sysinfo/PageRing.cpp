#include "sysinfo/PageRing.h"

bool PageRing::Add(InfoPage* page) noexcept
{
    if (!page || m_count == Capacity)
        return false;
    m_pages[m_count++] = page;
    return true;
}

InfoPage* PageRing::Current() const noexcept
{
    return At(m_current);
}

InfoPage* PageRing::At(int index) const noexcept
{
    return index >= 0 && index < m_count ? m_pages[index] : nullptr;
}

InfoPage* PageRing::Following() const noexcept
{
    return m_count ? m_pages[(m_current + 1) % m_count] : nullptr;
}

void PageRing::Next() noexcept
{
    if (m_count >= 2)
        m_current = (m_current + 1) % m_count;
}

void PageRing::Previous() noexcept
{
    if (m_count >= 2)
        m_current = (m_current + m_count - 1) % m_count;
}

bool PageRing::Select(const InfoPage* page) noexcept
{
    for (int index = 0; index < m_count; ++index) {
        if (m_pages[index] == page) {
            const bool changed = index != m_current;
            m_current = index;
            return changed;
        }
    }
    return false;
}
