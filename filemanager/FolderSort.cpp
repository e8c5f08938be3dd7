#include "filemanager/FolderSort.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <cstdint>
#include <cwchar>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

int CompareWithLocale(const wchar_t* a, const wchar_t* b, DWORD flags) noexcept
{
    int result = CompareStringW(LOCALE_SYSTEM_DEFAULT, flags, a, -1, b, -1);
    if (result == 0)  // only for bad arguments; an order is still needed
        return flags & NORM_IGNORECASE ? _wcsicmp(a, b) : std::wcscmp(a, b);
    return result - CSTR_EQUAL;
}

// One item with what its comparisons need, worked out once: comparing locale
// sort keys gives the locale comparison's order at a fraction of its cost,
// and the few distinct type names are ranked once instead of compared again
// and again.
struct SortEntry {
    size_t index;  // where the item stands before the sort
    const FolderItem* item;
    // The name's key in the sort's key buffer, padded with zero bytes to
    // whole 8-byte words; no length when there is none.
    const unsigned char* nameKey;
    size_t nameKeyLength;
    size_t nameKeyWords;
    // The first word in which keys differ (all keys share the words before
    // it), held here so that most comparisons need not read the keys.
    uint64_t firstWord;
    uint64_t size;
    uint64_t time;  // the write time, the 64-bit number CompareFileTime compares
    int typeRank;
};

// Sort keys composed from a table of the locale's weights, for names made of
// plain characters: in the platform's key each of them gives two bytes of
// primary weight and one of case, and nothing else (no diacritic, no special
// weight, no contraction with its neighbour). The table is made once from
// the platform's keys of single characters, and only used when it composes
// a set of probe names byte for byte as the platform does.
class ComposedSortKeys {
public:
    ComposedSortKeys();
    // Appends the key of `name`; false (nothing appended) when the name has
    // a character the table does not hold.
    bool Append(const wchar_t* name, std::string& key) const;

private:
    struct Weights {
        unsigned char primary[2];
        unsigned char caseWeight;
        bool plain;
    };
    static constexpr unsigned char Separator = 0x01;
    static constexpr unsigned char LeastCase = 0x02;
    static constexpr wchar_t TableEnd = 0x80;

    bool ComposesAsThePlatform() const;

    Weights m_weights[TableEnd] = {};
    bool m_usable = false;
};

ComposedSortKeys::ComposedSortKeys()
{
    for (wchar_t ch = 0x20; ch < TableEnd; ++ch) {
        const wchar_t text[2] = {ch, 0};
        const std::string key = PlatformSortKey(text);
        const auto byte = [&](size_t i) { return static_cast<unsigned char>(key[i]); };
        Weights& weights = m_weights[ch];
        // primary, 01, 01, [case], 01, 01, 00
        if (key.size() == 7 && byte(2) == Separator && byte(3) == Separator && byte(4) == Separator &&
            byte(5) == Separator && byte(6) == 0) {
            weights = {{byte(0), byte(1)}, LeastCase, true};
        } else if (key.size() == 8 && byte(2) == Separator && byte(3) == Separator && byte(4) > LeastCase &&
                   byte(5) == Separator && byte(6) == Separator && byte(7) == 0) {
            weights = {{byte(0), byte(1)}, byte(4), true};
        }
        if (weights.plain && (byte(0) <= Separator || byte(1) == 0))
            weights.plain = false;
    }
    m_usable = ComposesAsThePlatform();
}

bool ComposedSortKeys::Append(const wchar_t* name, std::string& key) const
{
    if (!m_usable || !name)
        return false;
    const size_t length = std::wcslen(name);
    const size_t start = key.size();
    // Two primary bytes and at most one case byte per character, five
    // separators and the end.
    key.resize(start + length * 3 + 5);
    auto* primary = reinterpret_cast<unsigned char*>(key.data() + start);
    unsigned char* cases = primary + length * 2 + 2;
    size_t caseLength = 0;  // up to the last case weight above the least one
    for (size_t i = 0; i < length; ++i) {
        const wchar_t ch = name[i];
        if (ch >= TableEnd || !m_weights[ch].plain) {
            key.resize(start);
            return false;
        }
        const Weights& weights = m_weights[ch];
        *primary++ = weights.primary[0];
        *primary++ = weights.primary[1];
        cases[i] = weights.caseWeight;
        if (weights.caseWeight != LeastCase)
            caseLength = i + 1;
    }
    primary[0] = Separator;
    primary[1] = Separator;
    unsigned char* end = cases + caseLength;
    end[0] = Separator;
    end[1] = Separator;
    end[2] = 0;
    key.resize(static_cast<size_t>(end + 3 - reinterpret_cast<unsigned char*>(key.data())));
    return true;
}

bool ComposedSortKeys::ComposesAsThePlatform() const
{
    // Letter pairs find the locale's contractions; the rest the case rules.
    std::vector<std::wstring> probes{
        L"aB",    L"Ab",     L"AB",          L"a B",        L"A b.TXT",       L"Item 00001 report 7.txt",
        L"x_Y~z", L"(1) Z!", L"New Folder2", L"0123456789", L"ZZ Top, Vol 10"};
    for (wchar_t a = L'a'; a <= L'z'; ++a)
        for (wchar_t b = L'a'; b <= L'z'; ++b)
            probes.push_back(std::wstring{a, b});
    for (const std::wstring& probe : probes) {
        bool composable = true;
        for (wchar_t ch : probe)
            composable = composable && ch < TableEnd && m_weights[ch].plain;
        if (!composable)
            continue;
        std::string composed;
        ComposedSortKeys self = *this;
        self.m_usable = true;
        if (!self.Append(probe.c_str(), composed) || composed != PlatformSortKey(probe.c_str()))
            return false;
    }
    return true;
}

const ComposedSortKeys& ComposedKeys()
{
    static const ComposedSortKeys keys;
    return keys;
}

int Sign(int value) noexcept
{
    return (value > 0) - (value < 0);
}

template <typename T>
int CompareValues(T a, T b) noexcept
{
    return (b < a) - (a < b);
}

uint64_t BigEndianWord(const unsigned char* bytes) noexcept
{
    uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return __builtin_bswap64(word);
}

// The keys' bytes in order, eight at a time: a zero byte of padding never
// sorts after a byte of the other key, so where one key is the other's
// beginning the shorter still comes first.
// The words every key begins with; the comparison starts after them.
thread_local size_t sharedKeyWords = 0;

int CompareNameKeys(const SortEntry& a, const SortEntry& b) noexcept
{
    if (a.nameKeyLength == 0 || b.nameKeyLength == 0)
        return CompareNames(a.item->name, b.item->name);
    if (a.firstWord != b.firstWord)
        return a.firstWord < b.firstWord ? -1 : 1;
    const size_t words = std::min(a.nameKeyWords, b.nameKeyWords);
    for (size_t i = sharedKeyWords + 1; i < words; ++i) {
        const uint64_t wordA = BigEndianWord(a.nameKey + i * 8);
        const uint64_t wordB = BigEndianWord(b.nameKey + i * 8);
        if (wordA != wordB)
            return wordA < wordB ? -1 : 1;
    }
    return CompareValues(a.nameKeyLength, b.nameKeyLength);
}

int CompareByKey(const SortEntry& a, const SortEntry& b, SortKey key) noexcept
{
    switch (key) {
    case SortKey::Size:
        return CompareValues(a.size, b.size);
    case SortKey::Date:
        return CompareValues(a.time, b.time);
    case SortKey::Type:
        return CompareValues(a.typeRank, b.typeRank);
    case SortKey::Name:
        break;
    }
    return 0;
}

// Folders first whatever the direction; then the key, then the name, both in
// the direction of the sort.
int CompareEntries(const SortEntry& a, const SortEntry& b, SortKey key, bool descending) noexcept
{
    const bool aFolder = a.item->IsFolder();
    if (aFolder != b.item->IsFolder())
        return aFolder ? -1 : 1;
    int result = CompareByKey(a, b, key);
    if (result == 0)
        result = CompareNameKeys(a, b);
    return descending ? -result : result;
}

// Ranks the items' type names so that ranks compare as the names do without
// regard to case (names that compare equal share a rank). A folder holds a
// few distinct types however many items it has: only those are compared.
void RankTypeNames(std::vector<SortEntry>& entries)
{
    // Items of one type mostly share one text (the list hands out one per
    // extension): its address finds the name without hashing it.
    std::unordered_map<const wchar_t*, int> rankOfText;
    std::unordered_map<std::wstring_view, int> rankOf;
    for (const SortEntry& entry : entries) {
        const String& typeName = entry.item->typeName;
        if (rankOfText.emplace(typeName.Chars(), 0).second)
            rankOf.emplace(std::wstring_view(typeName.Chars(), static_cast<size_t>(typeName.Length())), 0);
    }
    std::vector<std::wstring_view> names;
    for (const auto& [name, rank] : rankOf)
        names.push_back(name);
    // The views come from String texts, so each ends in a terminator.
    std::sort(names.begin(), names.end(),
              [](std::wstring_view a, std::wstring_view b) { return CompareNamesNoCase(a.data(), b.data()) < 0; });
    int rank = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0 && CompareNamesNoCase(names[i - 1].data(), names[i].data()) != 0)
            ++rank;
        rankOf[names[i]] = rank;
    }
    for (auto& [text, textRank] : rankOfText)
        textRank = rankOf[std::wstring_view(text)];
    for (SortEntry& entry : entries)
        entry.typeRank = rankOfText[entry.item->typeName.Chars()];
}

}  // namespace

std::string PlatformSortKey(const wchar_t* name)
{
    int size = LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_SORTKEY, name, -1, nullptr, 0);
    if (size <= 0)
        return std::string();
    std::string key(static_cast<size_t>(size), '\0');
    // With LCMAP_SORTKEY the destination is a byte buffer of `size` bytes.
    if (LCMapStringW(LOCALE_SYSTEM_DEFAULT, LCMAP_SORTKEY, name, -1, reinterpret_cast<wchar_t*>(key.data()), size) !=
        size)
        return std::string();
    return key;
}

bool AppendLocaleSortKey(const wchar_t* name, std::string& key)
{
    if (ComposedKeys().Append(name, key))
        return true;
    const std::string platformKey = PlatformSortKey(name);
    key += platformKey;
    return !platformKey.empty();
}

std::string LocaleSortKey(const wchar_t* name)
{
    std::string key;
    AppendLocaleSortKey(name, key);
    return key;
}

int CompareNames(const wchar_t* a, const wchar_t* b) noexcept
{
    return CompareWithLocale(a, b, 0);
}

int CompareNamesNoCase(const wchar_t* a, const wchar_t* b) noexcept
{
    return CompareWithLocale(a, b, NORM_IGNORECASE);
}

void SortFolderItems(std::span<FolderItemPtr> items, DWORD sortState)
{
    if (items.size() < 2)
        return;
    const SortKey key = SortKeyOf(sortState);
    const bool descending = IsDescending(sortState);

    // Lots of type names are never compared beyond their rank; the names
    // almost always are (equal keys fall back to them).
    // The keys lie in one buffer: no allocation per item.
    std::vector<SortEntry> entries;
    entries.reserve(items.size());
    std::string keys;
    keys.reserve(items.size() * 48);
    std::vector<size_t> keyStarts;
    keyStarts.reserve(items.size() + 1);
    for (size_t i = 0; i < items.size(); ++i) {
        const FolderItem& item = *items[i];
        const uint64_t time = (uint64_t{item.lastWriteTime.dwHighDateTime} << 32) | item.lastWriteTime.dwLowDateTime;
        keyStarts.push_back(keys.size());
        const size_t length = AppendLocaleSortKey(item.name, keys) ? keys.size() - keyStarts.back() : 0;
        keys.resize((keys.size() + 7) / 8 * 8, '\0');
        entries.push_back({i, &item, nullptr, length, 0, 0, item.Size(), time, 0});
    }
    keyStarts.push_back(keys.size());
    // The buffer has stopped growing: the entries may point into it now.
    const auto* keyBytes = reinterpret_cast<const unsigned char*>(keys.data());
    const SortEntry* first = nullptr;  // the first entry with a key
    size_t shared = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        SortEntry& entry = entries[i];
        entry.nameKey = keyBytes + keyStarts[i];
        entry.nameKeyWords = (keyStarts[i + 1] - keyStarts[i]) / 8;
        if (entry.nameKeyLength == 0)
            continue;
        if (!first) {
            first = &entry;
            shared = entry.nameKeyWords;
        }
        size_t same = 0;
        const size_t most = std::min(shared, entry.nameKeyWords);
        while (same < most && std::memcmp(first->nameKey + same * 8, entry.nameKey + same * 8, 8) == 0)
            ++same;
        shared = same;
    }
    for (SortEntry& entry : entries)
        if (entry.nameKeyLength != 0 && entry.nameKeyWords > shared)
            entry.firstWord = BigEndianWord(entry.nameKey + shared * 8);
    sharedKeyWords = shared;
    if (key == SortKey::Type)
        RankTypeNames(entries);
    std::sort(entries.begin(), entries.end(),
              [&](const SortEntry& a, const SortEntry& b) { return CompareEntries(a, b, key, descending) < 0; });

    // Size and type do not tell folders apart: order the folders by name
    // alone, without regard to case.
    if (key == SortKey::Size || key == SortKey::Type) {
        auto folderEnd = std::find_if(entries.begin(), entries.end(),
                                      [](const SortEntry& entry) { return !entry.item->IsFolder(); });
        std::sort(entries.begin(), folderEnd, [&](const SortEntry& a, const SortEntry& b) {
            int result = CompareNamesNoCase(a.item->name, b.item->name);
            return descending ? result > 0 : result < 0;
        });
    }

    std::vector<FolderItemPtr> sorted;
    sorted.reserve(items.size());
    for (const SortEntry& entry : entries)
        sorted.push_back(std::move(items[entry.index]));
    std::move(sorted.begin(), sorted.end(), items.begin());
}
