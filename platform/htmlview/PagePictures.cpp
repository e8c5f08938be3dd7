#include "platform/htmlview/PagePictures.h"

#include <cstdlib>

namespace vellumate::htmlview {

namespace {

bool BitmapSize(HBITMAP bitmap, ImageSize& size)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight == 0)
        return false;
    size = {info.bmWidth, std::abs(info.bmHeight)};
    return true;
}

}  // namespace

void PagePictures::Reset(std::size_t count)
{
    m_pictures.clear();
    m_pictures.resize(count);
    for (Picture& picture : m_pictures)
        picture.cookie = m_nextCookie++;
}

PagePictures::Picture* PagePictures::Find(DWORD_PTR cookie)
{
    for (Picture& picture : m_pictures) {
        if (picture.cookie == cookie)
            return &picture;
    }
    return nullptr;
}

bool PagePictures::Set(DWORD_PTR cookie, HBITMAP bitmap, bool owned, ImageSize ownSize)
{
    BitmapHandle taken(owned ? bitmap : nullptr);
    Picture* picture = Find(cookie);
    if (!picture)
        return false;
    if (owned && bitmap && picture->bitmap.Get() == bitmap) {  // the same bitmap handed over twice
        taken.Release();
        picture->state = State::Loaded;
        return true;
    }

    BitmapHandle kept = owned ? std::move(taken) : CopyBitmap(bitmap);
    ImageSize size;
    if (!kept || !BitmapSize(kept.Get(), size)) {
        picture->state = State::Failed;
        picture->bitmap.Reset();
        return false;
    }
    picture->size = {ownSize.width > 0 ? ownSize.width : size.width, ownSize.height > 0 ? ownSize.height : size.height};
    picture->bitmap = std::move(kept);
    picture->state = State::Loaded;
    return true;
}

bool PagePictures::Fail(DWORD_PTR cookie)
{
    Picture* picture = Find(cookie);
    if (!picture)
        return false;
    picture->state = State::Failed;
    picture->bitmap.Reset();
    return true;
}

void PagePictures::FailIfPending(std::size_t index)
{
    if (index < m_pictures.size() && m_pictures[index].state == State::Pending)
        m_pictures[index].state = State::Failed;
}

std::vector<ImageSize> PagePictures::Boxes(const HtmlDocument& document) const
{
    std::vector<ImageSize> boxes;
    boxes.reserve(document.images.size());
    for (std::size_t i = 0; i < document.images.size(); ++i) {
        std::optional<ImageSize> picture;
        if (i < m_pictures.size() && m_pictures[i].state == State::Loaded)
            picture = m_pictures[i].size;
        boxes.push_back(ImageBox(document.images[i], picture));
    }
    return boxes;
}

std::vector<HBITMAP> PagePictures::Bitmaps() const
{
    std::vector<HBITMAP> bitmaps;
    bitmaps.reserve(m_pictures.size());
    for (const Picture& picture : m_pictures)
        bitmaps.push_back(picture.state == State::Loaded ? picture.bitmap.Get() : nullptr);
    return bitmaps;
}

BitmapHandle CopyBitmap(HBITMAP source)
{
    ImageSize size;
    if (!BitmapSize(source, size))
        return {};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = size.width;
    format.bmiHeader.biHeight = -size.height;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    BitmapHandle copy(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDCHandle from(::CreateCompatibleDC(nullptr));
    MemoryDCHandle to(::CreateCompatibleDC(nullptr));
    if (!copy || !from || !to)
        return {};

    const HGDIOBJ oldSource = ::SelectObject(from.Get(), source);
    if (!oldSource)  // selected into another DC: GDI will not lend it
        return {};
    bool copied = false;
    {
        SelectObjectScope target(to.Get(), copy.Get());
        copied = ::BitBlt(to.Get(), 0, 0, size.width, size.height, from.Get(), 0, 0, SRCCOPY) != FALSE;
    }
    ::SelectObject(from.Get(), oldSource);
    return copied ? std::move(copy) : BitmapHandle{};
}

}  // namespace vellumate::htmlview
