// The pictures of the page being shown: one per <img>, each asked for from
// the parent under a cookie of its own and answered with a bitmap or a
// failure. Cookies are never reused, so an answer that arrives after the
// page changed finds nothing and is dropped.
#pragma once

#include "platform/Handles.h"
#include "platform/htmlview/Layout.h"

#include <windows.h>

#include <vector>

namespace vellumate::htmlview {

class PagePictures {
public:
    enum class State { Pending, Loaded, Failed };

    // Forgets the pictures of the old page and starts `count` new ones,
    // pending, each under a fresh cookie.
    void Reset(std::size_t count);

    std::size_t Count() const noexcept { return m_pictures.size(); }
    DWORD_PTR Cookie(std::size_t index) const { return m_pictures[index].cookie; }
    State StateOf(std::size_t index) const { return m_pictures[index].state; }

    // The answer for `cookie`: the bitmap, and the picture's own size where
    // the sender gives one (0 to take the bitmap's). With `owned` the bitmap
    // is ours and deleted in every case, else it is copied and the sender
    // keeps its own. False when no picture has that cookie or the bitmap is
    // unusable (the picture then counts as failed).
    bool Set(DWORD_PTR cookie, HBITMAP bitmap, bool owned, ImageSize ownSize);

    // The sender cannot give the picture of `cookie`. False for an unknown cookie.
    bool Fail(DWORD_PTR cookie);

    // What the viewer does when nobody answers: a missing picture.
    void FailIfPending(std::size_t index);

    // The box of each image of `document` (which must be the page these
    // pictures belong to), for the layout.
    std::vector<ImageSize> Boxes(const HtmlDocument& document) const;

    // The bitmap of each picture, nullptr where there is none.
    std::vector<HBITMAP> Bitmaps() const;

private:
    struct Picture {
        DWORD_PTR cookie = 0;
        State state = State::Pending;
        BitmapHandle bitmap;
        ImageSize size;
    };

    Picture* Find(DWORD_PTR cookie);

    std::vector<Picture> m_pictures;
    DWORD_PTR m_nextCookie = 1;
};

// A 32-bit copy of `source`, or an empty handle when it cannot be read (for
// example while it is selected into a device context).
BitmapHandle CopyBitmap(HBITMAP source);

}  // namespace vellumate::htmlview
