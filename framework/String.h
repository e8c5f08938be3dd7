// String: UTF-16 text with shared, reference-counted storage.
//
// A String is one pointer to the characters of a heap block; the block's
// header (reference count, length, capacity) sits in front of them. That keeps
// sizeof(String) == sizeof(wchar_t*), lets a String stand wherever a
// NUL-terminated wide text is expected, and makes a copy cost one interlocked
// increment. Every empty String points at one static block and never
// allocates. A writer first makes the block its own (copy before write).
//
// A pinned block (reference count -1) has handed out a raw pointer, so it is
// never shared: copies of it get their own characters.
#pragma once

#include <windows.h>

#include <compare>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <type_traits>

class String {
public:
    String() noexcept;
    String(std::nullptr_t) noexcept : String() {}
    String(const String& other);
    String(String&& other) noexcept;
    // A pointer value below 0x10000 is a string resource number
    // (MAKEINTRESOURCEW), loaded from the resource module.
    String(const wchar_t* text);
    String(const wchar_t* text, int count);
    // Narrow text in the ANSI code page; the count is in bytes.
    String(const char* text);
    String(const char* text, int count);
    explicit String(wchar_t ch, int repeat = 1);
    ~String();

    String& operator=(const String& other);
    String& operator=(String&& other) noexcept;
    String& operator=(const wchar_t* text);
    String& operator=(const char* text);
    String& operator=(wchar_t ch);
    String& operator=(std::nullptr_t) noexcept;

    // Queries.
    int Length() const noexcept;
    bool IsEmpty() const noexcept { return Length() == 0; }
    // The character at index, or L'\0' outside 0..Length()-1.
    wchar_t CharAt(int index) const noexcept;
    wchar_t operator[](int index) const noexcept { return CharAt(index); }
    const wchar_t* Chars() const noexcept { return m_chars; }
    operator const wchar_t*() const noexcept { return m_chars; }

    // Converts into buffer (size in bytes) with the ANSI code page, cutting at
    // a character boundary; the result is always NUL-terminated. Returns the
    // number of bytes written before the NUL.
    int ToNarrow(char* buffer, int size) const;

    // Ordinal (by code unit) and case-insensitive comparison: <0, 0 or >0.
    // A null text compares as the empty text.
    int Compare(const wchar_t* text) const noexcept;
    int CompareNoCase(const wchar_t* text) const noexcept;

    friend bool operator==(const String& a, const String& b) noexcept;
    friend bool operator==(const String& a, const wchar_t* b) noexcept { return a.Compare(b) == 0; }
    friend std::strong_ordering operator<=>(const String& a, const String& b) noexcept { return a.Compare(b) <=> 0; }
    friend std::strong_ordering operator<=>(const String& a, const wchar_t* b) noexcept { return a.Compare(b) <=> 0; }

    // Assignment and appending. Appending works in place when the block is
    // private and has room; otherwise the result gets a block of exactly the
    // combined length.
    void Assign(const wchar_t* text, int count);
    void Append(const wchar_t* text);
    void Append(const wchar_t* text, int count);
    void Append(wchar_t ch);
    String& operator+=(const String& text);
    String& operator+=(const wchar_t* text);
    String& operator+=(wchar_t ch);

    friend String operator+(const String& a, const String& b);
    friend String operator+(const String& a, const wchar_t* b);
    friend String operator+(const wchar_t* a, const String& b);
    friend String operator+(const String& a, wchar_t b);
    friend String operator+(wchar_t a, const String& b);

    // Editing. Indexes and counts are in characters; out-of-range arguments
    // are clamped as each comment says. Each returns what is noted.
    int Delete(int index, int count = 1);                 // new length
    int Insert(int index, wchar_t ch);                    // new length
    int Insert(int index, const wchar_t* text);           // new length
    int Replace(wchar_t from, wchar_t to);                // number replaced
    int Replace(const wchar_t* from, const wchar_t* to);  // number replaced
    int Remove(wchar_t ch);                               // number removed
    void SetAt(int index, wchar_t ch);                    // ignored outside the text
    void Clear();                                         // a pinned block stays, with length 0

    // Parts. A part that covers the whole text shares this block.
    String Mid(int first, int count) const;
    String Mid(int first) const;
    String Left(int count) const;
    String Right(int count) const;
    String SpanIncluding(const wchar_t* set) const;
    String SpanExcluding(const wchar_t* set) const;

    // Searching: an index or -1.
    int Find(wchar_t ch, int start = 0) const noexcept;
    int Find(const wchar_t* text, int start = 0) const noexcept;
    int ReverseFind(wchar_t ch) const noexcept;
    int FindOneOf(const wchar_t* set) const noexcept;

    // In-place changes by the platform's wide-character rules.
    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    void TrimLeft();
    void TrimRight();
    void Trim();
    void TrimLeft(wchar_t ch);
    void TrimRight(wchar_t ch);
    void TrimLeft(const wchar_t* set);
    void TrimRight(const wchar_t* set);

    // Raw buffer access. Reserve makes the block private with room for at
    // least `count` characters (old contents kept) and returns it for
    // writing; Commit sets the length that was written (-1: up to the first
    // NUL). Reserve(0) on an empty String yields the shared empty block.
    wchar_t* Reserve(int count);
    void Commit(int length = -1);
    wchar_t* ReserveSetLength(int length);
    void Shrink();
    // Pin hands out a pointer that stays valid while the String lives and is
    // not grown past its capacity; a pinned block is never shared.
    wchar_t* Pin();
    void Unpin() noexcept;
    bool IsPinned() const noexcept;
    int Capacity() const noexcept;

    // Loads string resource `id` of the resource module; true when the loaded
    // text is non-empty. A missing resource leaves the String empty.
    bool LoadResourceText(UINT id);

    // printf-style formatting with the C runtime's wide routine (Windows
    // conventions: %s wide, %S and %hs narrow, I64 for 64-bit integers).
    // String arguments are passed as their characters.
    template <typename... Args>
    void FormatText(const wchar_t* format, const Args&... args)
    {
        FormatTextRaw(format, PassArgument(args)...);
    }
    template <typename... Args>
    void FormatResource(UINT id, const Args&... args)
    {
        String format;
        format.LoadResourceText(id);
        FormatTextRaw(format.Chars(), PassArgument(args)...);
    }
    void FormatTextV(const wchar_t* format, va_list args);

    void Swap(String& other) noexcept;

private:
    struct Block;
    struct EmptyRep;
    static EmptyRep SharedEmpty;

    Block* Rep() const noexcept;
    bool IsSharedEmpty() const noexcept;
    bool IsPrivate() const noexcept;
    bool Overlaps(const wchar_t* text) const noexcept;
    static wchar_t* EmptyChars() noexcept;
    static wchar_t* AllocateBlock(int capacity);
    static wchar_t* NewBlock(int length);
    static String Concat(const wchar_t* a, int aLength, const wchar_t* b, int bLength);
    static void ReleaseBlock(wchar_t* chars) noexcept;
    void Release() noexcept;
    void ShareFrom(const String& other);
    void MakePrivate();
    void ConstructNarrow(const char* text, int count);
    void AppendChars(const wchar_t* text, int count);
    void InsertChars(int index, const wchar_t* text, int count);
    void SetLengthUnchecked(int length) noexcept;

    void FormatTextRaw(const wchar_t* format, ...);

    // Arguments that reach C varargs must be plain values; a String goes as
    // its characters and arrays as pointers.
    template <typename T>
    static auto PassArgument(const T& value)
    {
        if constexpr (std::is_same_v<T, String>) {
            return value.Chars();
        } else if constexpr (std::is_array_v<T>) {
            return static_cast<const std::remove_extent_t<T>*>(value);
        } else if constexpr (std::is_enum_v<T>) {
            return static_cast<std::underlying_type_t<T>>(value);
        } else {
            static_assert(std::is_arithmetic_v<T> || std::is_pointer_v<T> || std::is_null_pointer_v<T>,
                          "only numbers, pointers and String may be formatted");
            return value;
        }
    }

    wchar_t* m_chars;
};

static_assert(sizeof(String) == sizeof(wchar_t*));

inline void swap(String& a, String& b) noexcept
{
    a.Swap(b);
}
