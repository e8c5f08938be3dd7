// The two fonts of the pages, normal and bold, in the face string 40201 names
// and in the size the large-font setting asks for.
#pragma once

#include "platform/Handles.h"

class PageFonts {
public:
    // Makes both fonts in the normal or the large size; false when either
    // cannot be made.
    bool Create(bool large);
    void Release() noexcept;

    bool IsCreated() const noexcept { return m_normal && m_bold; }
    HFONT Normal() const noexcept { return m_normal.Get(); }
    HFONT Bold() const noexcept { return m_bold.Get(); }

private:
    vellumate::FontHandle m_normal;
    vellumate::FontHandle m_bold;
};
