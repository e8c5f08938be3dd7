#include "framework/String.h"

#include "framework/ResourceModule.h"
#include "framework/TextFormat.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <functional>
#include <cstddef>
#include <new>
#include <utility>

struct String::Block {
    LONG refs;  // -1: pinned
    int32_t length;
    int32_t capacity;  // characters, not counting the NUL
    wchar_t* Chars() noexcept { return reinterpret_cast<wchar_t*>(this + 1); }
};

struct String::EmptyRep {
    Block header;
    wchar_t nul;
};

// Never freed and never counted: every path checks for it first. Its count
// reads as "shared" so that a writer that forgot the check would copy rather
// than write into it.
constinit String::EmptyRep String::SharedEmpty = {{2, 0, 0}, L'\0'};

namespace {

LONG ReadRefs(const LONG& refs) noexcept
{
    return static_cast<const volatile LONG&>(refs);
}

// Ordinal search in a counted text; -1 when absent.
int FindChars(const wchar_t* text, int length, int start, const wchar_t* what, int whatLength) noexcept
{
    if (whatLength == 0)
        return start;
    for (int i = start; i + whatLength <= length; ++i) {
        const wchar_t* hit = std::wmemchr(text + i, what[0], length - whatLength + 1 - i);
        if (!hit)
            return -1;
        i = static_cast<int>(hit - text);
        if (std::wmemcmp(hit, what, whatLength) == 0)
            return i;
    }
    return -1;
}

bool InSet(const wchar_t* set, wchar_t ch) noexcept
{
    return ch != L'\0' && set && std::wcschr(set, ch) != nullptr;
}

int TextLength(const wchar_t* text) noexcept
{
    return text ? static_cast<int>(std::wcslen(text)) : 0;
}

}  // namespace

// ---------------------------------------------------------------------------
// Blocks and shares

wchar_t* String::EmptyChars() noexcept
{
    static_assert(sizeof(Block) == 12, "the header is three 32-bit fields");
    static_assert(offsetof(EmptyRep, nul) == sizeof(Block), "the characters follow the header");
    return &SharedEmpty.nul;
}

String::Block* String::Rep() const noexcept
{
    return reinterpret_cast<Block*>(m_chars) - 1;
}

bool String::IsSharedEmpty() const noexcept
{
    return m_chars == EmptyChars();
}

bool String::IsPrivate() const noexcept
{
    return !IsSharedEmpty() && ReadRefs(Rep()->refs) <= 1;
}

bool String::Overlaps(const wchar_t* text) const noexcept
{
    std::less_equal<const wchar_t*> le;
    return text && le(m_chars, text) && le(text, m_chars + Capacity());
}

wchar_t* String::AllocateBlock(int capacity)
{
    auto* block =
        static_cast<Block*>(::operator new(sizeof(Block) + (static_cast<size_t>(capacity) + 1) * sizeof(wchar_t)));
    block->refs = 1;
    block->length = capacity;
    block->capacity = capacity;
    block->Chars()[capacity] = L'\0';
    return block->Chars();
}

wchar_t* String::NewBlock(int length)
{
    return length > 0 ? AllocateBlock(length) : EmptyChars();
}

void String::ReleaseBlock(wchar_t* chars) noexcept
{
    if (chars == EmptyChars())
        return;
    Block* block = reinterpret_cast<Block*>(chars) - 1;
    // A pinned block (-1) has one owner and falls below 1 as well.
    if (InterlockedDecrement(&block->refs) <= 0)
        ::operator delete(block);
}

void String::Release() noexcept
{
    ReleaseBlock(m_chars);
    m_chars = EmptyChars();
}

void String::ShareFrom(const String& other)
{
    if (other.IsSharedEmpty()) {
        m_chars = EmptyChars();
    } else if (other.IsPinned()) {
        int length = other.Length();
        m_chars = NewBlock(length);
        std::wmemcpy(m_chars, other.m_chars, length);
    } else {
        InterlockedIncrement(&other.Rep()->refs);
        m_chars = other.m_chars;
    }
}

void String::MakePrivate()
{
    if (IsSharedEmpty() || ReadRefs(Rep()->refs) <= 1)
        return;
    int length = Length();
    wchar_t* fresh = NewBlock(length);
    std::wmemcpy(fresh, m_chars, length);
    ReleaseBlock(m_chars);
    m_chars = fresh;
}

void String::SetLengthUnchecked(int length) noexcept
{
    Rep()->length = length;
    m_chars[length] = L'\0';
}

String String::Concat(const wchar_t* a, int aLength, const wchar_t* b, int bLength)
{
    String result;
    result.m_chars = NewBlock(aLength + bLength);
    std::wmemcpy(result.m_chars, a, aLength);
    std::wmemcpy(result.m_chars + aLength, b, bLength);
    return result;
}

// ---------------------------------------------------------------------------
// Construction and assignment

String::String() noexcept : m_chars(EmptyChars())
{
}

String::String(const String& other) : m_chars(EmptyChars())
{
    ShareFrom(other);
}

// Moving hands the block over as it is, pinned or not.
String::String(String&& other) noexcept : m_chars(other.m_chars)
{
    other.m_chars = EmptyChars();
}

String::String(const wchar_t* text) : m_chars(EmptyChars())
{
    *this = text;
}

String::String(const wchar_t* text, int count) : m_chars(EmptyChars())
{
    if (text)
        Assign(text, count);
}

String::String(const char* text) : m_chars(EmptyChars())
{
    ConstructNarrow(text, -1);
}

String::String(const char* text, int count) : m_chars(EmptyChars())
{
    ConstructNarrow(text, count < 0 ? -1 : count);
}

String::String(wchar_t ch, int repeat) : m_chars(EmptyChars())
{
    if (repeat > 0) {
        m_chars = NewBlock(repeat);
        std::wmemset(m_chars, ch, repeat);
    }
}

String::~String()
{
    ReleaseBlock(m_chars);
}

void String::ConstructNarrow(const char* text, int count)
{
    if (!text || count == 0)
        return;
    int needed = MultiByteToWideChar(CP_ACP, 0, text, count, nullptr, 0);
    if (needed <= 0)
        return;
    wchar_t* buffer = Reserve(needed);
    MultiByteToWideChar(CP_ACP, 0, text, count, buffer, needed);
    Commit(static_cast<int>(wcsnlen(buffer, needed)));
}

String& String::operator=(const String& other)
{
    if (m_chars == other.m_chars)
        return *this;
    if (IsPinned() || other.IsPinned()) {
        Assign(other.m_chars, other.Length());
        return *this;
    }
    wchar_t* old = m_chars;
    ShareFrom(other);
    ReleaseBlock(old);
    return *this;
}

String& String::operator=(String&& other) noexcept
{
    if (this == &other)
        return *this;
    if (IsPinned()) {
        // Whoever pinned this block still writes into it.
        Assign(other.m_chars, other.Length());
        return *this;
    }
    ReleaseBlock(m_chars);
    m_chars = other.m_chars;
    other.m_chars = EmptyChars();
    return *this;
}

String& String::operator=(const wchar_t* text)
{
    if (!text)
        Clear();
    else if (IS_INTRESOURCE(text))
        LoadResourceText(LOWORD(reinterpret_cast<ULONG_PTR>(text)));
    else
        Assign(text, TextLength(text));
    return *this;
}

String& String::operator=(const char* text)
{
    return *this = String(text);
}

String& String::operator=(wchar_t ch)
{
    Assign(&ch, 1);
    return *this;
}

String& String::operator=(std::nullptr_t) noexcept
{
    Clear();
    return *this;
}

void String::Assign(const wchar_t* text, int count)
{
    if (!text || count <= 0) {
        Clear();
        return;
    }
    if (IsPrivate() && Capacity() >= count) {
        std::wmemmove(m_chars, text, count);
        SetLengthUnchecked(count);
        return;
    }
    wchar_t* fresh = NewBlock(count);
    std::wmemcpy(fresh, text, count);
    ReleaseBlock(m_chars);
    m_chars = fresh;
}

void String::Swap(String& other) noexcept
{
    std::swap(m_chars, other.m_chars);
}

// ---------------------------------------------------------------------------
// Queries, conversion, comparison

int String::Length() const noexcept
{
    return Rep()->length;
}

int String::Capacity() const noexcept
{
    return Rep()->capacity;
}

wchar_t String::CharAt(int index) const noexcept
{
    return static_cast<unsigned>(index) < static_cast<unsigned>(Length()) ? m_chars[index] : L'\0';
}

int String::ToNarrow(char* buffer, int size) const
{
    if (!buffer || size <= 0)
        return 0;
    auto narrowLength = [this](int characters) {
        return characters == 0 ? 0 : WideCharToMultiByte(CP_ACP, 0, m_chars, characters, nullptr, 0, nullptr, nullptr);
    };
    // The longest prefix that fits, never ending in half a surrogate pair.
    int fit = Length();
    if (narrowLength(fit) > size - 1) {
        int low = 0;
        int high = fit - 1;
        while (low < high) {
            int middle = (low + high + 1) / 2;
            if (narrowLength(middle) <= size - 1)
                low = middle;
            else
                high = middle - 1;
        }
        fit = low;
        if (fit > 0 && IS_HIGH_SURROGATE(m_chars[fit - 1]))
            --fit;
    }
    int written = fit == 0 ? 0 : WideCharToMultiByte(CP_ACP, 0, m_chars, fit, buffer, size - 1, nullptr, nullptr);
    buffer[written] = '\0';
    return written;
}

int String::Compare(const wchar_t* text) const noexcept
{
    return std::wcscmp(m_chars, text ? text : L"");
}

int String::CompareNoCase(const wchar_t* text) const noexcept
{
    return CompareStringOrdinal(m_chars, -1, text ? text : L"", -1, TRUE) - CSTR_EQUAL;
}

bool operator==(const String& a, const String& b) noexcept
{
    return a.m_chars == b.m_chars || a.Compare(b.m_chars) == 0;
}

// ---------------------------------------------------------------------------
// Appending and concatenation

void String::AppendChars(const wchar_t* text, int count)
{
    if (!text || count <= 0)
        return;
    int length = Length();
    int total = length + count;
    if (IsPrivate() && Capacity() >= total) {
        std::wmemmove(m_chars + length, text, count);
        SetLengthUnchecked(total);
        return;
    }
    wchar_t* fresh = NewBlock(total);
    std::wmemcpy(fresh, m_chars, length);
    std::wmemcpy(fresh + length, text, count);
    ReleaseBlock(m_chars);
    m_chars = fresh;
}

void String::Append(const wchar_t* text)
{
    AppendChars(text, TextLength(text));
}

void String::Append(const wchar_t* text, int count)
{
    AppendChars(text, count);
}

void String::Append(wchar_t ch)
{
    AppendChars(&ch, 1);
}

String& String::operator+=(const String& text)
{
    AppendChars(text.m_chars, text.Length());
    return *this;
}

String& String::operator+=(const wchar_t* text)
{
    Append(text);
    return *this;
}

String& String::operator+=(wchar_t ch)
{
    Append(ch);
    return *this;
}

String operator+(const String& a, const String& b)
{
    return String::Concat(a.m_chars, a.Length(), b.m_chars, b.Length());
}

String operator+(const String& a, const wchar_t* b)
{
    return String::Concat(a.m_chars, a.Length(), b, TextLength(b));
}

String operator+(const wchar_t* a, const String& b)
{
    return String::Concat(a, TextLength(a), b.m_chars, b.Length());
}

String operator+(const String& a, wchar_t b)
{
    return String::Concat(a.m_chars, a.Length(), &b, 1);
}

String operator+(wchar_t a, const String& b)
{
    return String::Concat(&a, 1, b.m_chars, b.Length());
}

// ---------------------------------------------------------------------------
// Editing

int String::Delete(int index, int count)
{
    index = std::max(index, 0);
    int length = Length();
    if (count < 1 || index >= length)
        return length;
    count = std::min(count, length - index);
    MakePrivate();
    std::wmemmove(m_chars + index, m_chars + index + count, length - index - count);
    SetLengthUnchecked(length - count);
    return length - count;
}

void String::InsertChars(int index, const wchar_t* text, int count)
{
    int length = Length();
    index = std::clamp(index, 0, length);
    int total = length + count;
    if (IsPrivate() && Capacity() >= total && !Overlaps(text)) {
        std::wmemmove(m_chars + index + count, m_chars + index, length - index);
        std::wmemcpy(m_chars + index, text, count);
        SetLengthUnchecked(total);
        return;
    }
    wchar_t* fresh = NewBlock(total);
    std::wmemcpy(fresh, m_chars, index);
    std::wmemcpy(fresh + index, text, count);
    std::wmemcpy(fresh + index + count, m_chars + index, length - index);
    ReleaseBlock(m_chars);
    m_chars = fresh;
}

int String::Insert(int index, wchar_t ch)
{
    InsertChars(index, &ch, 1);
    return Length();
}

int String::Insert(int index, const wchar_t* text)
{
    int count = TextLength(text);
    if (count > 0)
        InsertChars(index, text, count);
    return Length();
}

int String::Replace(wchar_t from, wchar_t to)
{
    if (from == to)
        return 0;
    int length = Length();
    int replaced = static_cast<int>(std::count(m_chars, m_chars + length, from));
    if (replaced == 0)
        return 0;
    MakePrivate();
    std::replace(m_chars, m_chars + length, from, to);
    return replaced;
}

int String::Replace(const wchar_t* from, const wchar_t* to)
{
    int fromLength = TextLength(from);
    if (fromLength == 0)
        return 0;
    // The texts may point into this block, which is about to change.
    String keepFrom;
    String keepTo;
    if (Overlaps(from)) {
        keepFrom.Assign(from, fromLength);
        from = keepFrom.m_chars;
    }
    if (Overlaps(to)) {
        keepTo.Assign(to, TextLength(to));
        to = keepTo.m_chars;
    }
    int toLength = TextLength(to);

    int length = Length();
    int replaced = 0;
    for (int at = FindChars(m_chars, length, 0, from, fromLength); at >= 0;
         at = FindChars(m_chars, length, at + fromLength, from, fromLength))
        ++replaced;
    if (replaced == 0)
        return 0;
    if (toLength == fromLength && std::wmemcmp(from, to, fromLength) == 0)
        return replaced;

    int total = length + replaced * (toLength - fromLength);
    // Shrinking or same-size replacement runs front to back in place: the
    // write position never passes the read position.
    bool inPlace = toLength <= fromLength && IsPrivate();
    wchar_t* target = inPlace ? m_chars : NewBlock(total);
    int read = 0;
    int write = 0;
    for (int at = FindChars(m_chars, length, 0, from, fromLength); at >= 0;
         at = FindChars(m_chars, length, read, from, fromLength)) {
        std::wmemmove(target + write, m_chars + read, at - read);
        write += at - read;
        std::wmemcpy(target + write, to, toLength);
        write += toLength;
        read = at + fromLength;
    }
    std::wmemmove(target + write, m_chars + read, length - read);
    if (inPlace) {
        SetLengthUnchecked(total);
    } else {
        ReleaseBlock(m_chars);
        m_chars = target;
    }
    return replaced;
}

int String::Remove(wchar_t ch)
{
    int length = Length();
    int removed = static_cast<int>(std::count(m_chars, m_chars + length, ch));
    if (removed == 0)
        return 0;
    MakePrivate();
    std::remove(m_chars, m_chars + length, ch);
    SetLengthUnchecked(length - removed);
    return removed;
}

void String::SetAt(int index, wchar_t ch)
{
    if (static_cast<unsigned>(index) >= static_cast<unsigned>(Length()))
        return;
    MakePrivate();
    m_chars[index] = ch;
}

void String::Clear()
{
    if (IsPinned())
        SetLengthUnchecked(0);
    else
        Release();
}

// ---------------------------------------------------------------------------
// Parts and searching

String String::Mid(int first, int count) const
{
    int length = Length();
    first = std::clamp(first, 0, length);
    count = std::clamp(count, 0, length - first);
    if (first == 0 && count == length)
        return *this;
    return String(m_chars + first, count);
}

String String::Mid(int first) const
{
    return Mid(first, Length() - std::max(first, 0));
}

String String::Left(int count) const
{
    return Mid(0, count);
}

String String::Right(int count) const
{
    int length = Length();
    count = std::clamp(count, 0, length);
    return Mid(length - count, count);
}

String String::SpanIncluding(const wchar_t* set) const
{
    return Left(set ? static_cast<int>(std::wcsspn(m_chars, set)) : 0);
}

String String::SpanExcluding(const wchar_t* set) const
{
    return Left(set ? static_cast<int>(std::wcscspn(m_chars, set)) : Length());
}

int String::Find(wchar_t ch, int start) const noexcept
{
    int length = Length();
    start = std::max(start, 0);
    if (start >= length)
        return -1;
    const wchar_t* hit = std::wmemchr(m_chars + start, ch, length - start);
    return hit ? static_cast<int>(hit - m_chars) : -1;
}

int String::Find(const wchar_t* text, int start) const noexcept
{
    int length = Length();
    start = std::max(start, 0);
    if (!text || start > length)
        return -1;
    return FindChars(m_chars, length, start, text, TextLength(text));
}

int String::ReverseFind(wchar_t ch) const noexcept
{
    for (int i = Length() - 1; i >= 0; --i) {
        if (m_chars[i] == ch)
            return i;
    }
    return -1;
}

int String::FindOneOf(const wchar_t* set) const noexcept
{
    int length = Length();
    for (int i = 0; i < length; ++i) {
        if (InSet(set, m_chars[i]))
            return i;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// In-place changes

void String::MakeUpper()
{
    if (IsEmpty())
        return;
    MakePrivate();
    CharUpperBuffW(m_chars, Length());
}

void String::MakeLower()
{
    if (IsEmpty())
        return;
    MakePrivate();
    CharLowerBuffW(m_chars, Length());
}

void String::MakeReverse()
{
    if (Length() < 2)
        return;
    MakePrivate();
    std::reverse(m_chars, m_chars + Length());
}

namespace {

template <typename Predicate>
int LeadingCount(const wchar_t* text, int length, Predicate match)
{
    int count = 0;
    while (count < length && match(text[count]))
        ++count;
    return count;
}

template <typename Predicate>
int TrailingCount(const wchar_t* text, int length, Predicate match)
{
    int count = 0;
    while (count < length && match(text[length - 1 - count]))
        ++count;
    return count;
}

bool IsSpace(wchar_t ch)
{
    return std::iswspace(ch) != 0;
}

}  // namespace

void String::TrimLeft()
{
    Delete(0, LeadingCount(m_chars, Length(), IsSpace));
}

void String::TrimRight()
{
    int count = TrailingCount(m_chars, Length(), IsSpace);
    Delete(Length() - count, count);
}

void String::Trim()
{
    TrimRight();
    TrimLeft();
}

void String::TrimLeft(wchar_t ch)
{
    Delete(0, LeadingCount(m_chars, Length(), [ch](wchar_t c) { return c == ch; }));
}

void String::TrimRight(wchar_t ch)
{
    int count = TrailingCount(m_chars, Length(), [ch](wchar_t c) { return c == ch; });
    Delete(Length() - count, count);
}

void String::TrimLeft(const wchar_t* set)
{
    Delete(0, LeadingCount(m_chars, Length(), [set](wchar_t c) { return InSet(set, c); }));
}

void String::TrimRight(const wchar_t* set)
{
    int count = TrailingCount(m_chars, Length(), [set](wchar_t c) { return InSet(set, c); });
    Delete(Length() - count, count);
}

// ---------------------------------------------------------------------------
// Raw buffer access

wchar_t* String::Reserve(int count)
{
    count = std::max(count, 0);
    if (IsPrivate() && Capacity() >= count)
        return m_chars;
    int length = Length();
    if (count == 0 && length == 0) {
        Release();
        return m_chars;
    }
    wchar_t* fresh = AllocateBlock(std::max(count, length));
    std::wmemcpy(fresh, m_chars, length);
    ReleaseBlock(m_chars);
    m_chars = fresh;
    SetLengthUnchecked(length);
    return m_chars;
}

void String::Commit(int length)
{
    if (IsSharedEmpty())
        return;
    MakePrivate();
    if (IsSharedEmpty())
        return;
    int capacity = Capacity();
    // A buffer without a NUL stops at the capacity, never beyond the block.
    if (length < 0)
        length = static_cast<int>(wcsnlen(m_chars, capacity));
    SetLengthUnchecked(std::min(length, capacity));
}

wchar_t* String::ReserveSetLength(int length)
{
    length = std::max(length, 0);
    Reserve(length);
    if (!IsSharedEmpty())
        SetLengthUnchecked(length);
    return m_chars;
}

void String::Shrink()
{
    // A pinned block must stay where its owner's pointer is.
    if (IsSharedEmpty() || IsPinned())
        return;
    int length = Length();
    if (length == Capacity())
        return;
    wchar_t* fresh = NewBlock(length);
    std::wmemcpy(fresh, m_chars, length);
    ReleaseBlock(m_chars);
    m_chars = fresh;
}

wchar_t* String::Pin()
{
    MakePrivate();
    if (IsSharedEmpty())
        m_chars = AllocateBlock(0);
    Rep()->refs = -1;
    return m_chars;
}

void String::Unpin() noexcept
{
    if (IsPinned())
        Rep()->refs = 1;
}

bool String::IsPinned() const noexcept
{
    return !IsSharedEmpty() && Rep()->refs < 0;
}

// ---------------------------------------------------------------------------
// Resources and formatting

bool String::LoadResourceText(UINT id)
{
    HINSTANCE module = ResourceModule();
    // Most strings fit the first try; a result of 255 or 256 characters may
    // have been cut, so retry in the String's own buffer, 256 larger each time.
    constexpr int firstTry = 256;
    constexpr int step = 256;
    constexpr int longestResource = 0xFFFF;
    wchar_t local[firstTry];
    int loaded = LoadStringW(module, id, local, firstTry);
    if (loaded < firstTry - 1) {
        Assign(local, loaded);
        return loaded > 0;
    }
    for (int room = firstTry + step;; room += step) {
        wchar_t* buffer = Reserve(room);
        loaded = LoadStringW(module, id, buffer, room);
        if (loaded < room - 1 || room > longestResource)
            break;
    }
    Commit(loaded);
    return loaded > 0;
}

void String::FormatTextRaw(const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatTextV(format, args);
    va_end(args);
}

void String::FormatTextV(const wchar_t* format, va_list args)
{
    if (!format) {
        Clear();
        return;
    }
    // Formatting into a separate String keeps arguments that point into this
    // one valid until the end.
    String result;
    auto tryRoom = [&](int room) {
        wchar_t* buffer = result.Reserve(std::max(room, 1));
        va_list pass;
        va_copy(pass, args);
        int written = _vsnwprintf(buffer, static_cast<size_t>(room) + 1, format, pass);
        va_end(pass);
        if (written < 0 || written > room)
            return false;
        result.Commit(written);
        return true;
    };

    va_list walk;
    va_copy(walk, args);
    int bound = MeasureFormat(format, walk);
    va_end(walk);

    bool done = bound >= 0 && tryRoom(bound);
    // A format the measure does not know (or an output it misjudged) is
    // retried with a growing buffer; the result is the same.
    constexpr int largestRoom = 1 << 26;
    for (int room = std::max(256, bound * 2); !done && room <= largestRoom; room *= 2)
        done = tryRoom(room);
    if (!done)
        result.Clear();
    *this = std::move(result);
}
