#include "filemanager/FolderSort.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <span>
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

// One place in the order: a number that decides most comparisons alone (the
// key's value, or the first word in which name keys differ) and the item.
struct Order {
    uint64_t major;
    uint32_t index;
};

// The locale sort keys of a sort's names, made only for the items whose
// order their key's value leaves open (all of them for a sort by name or
// type, few for one by size). The keys lie in one buffer, each padded with
// zero bytes to whole 8-byte words: a zero byte of padding never sorts after
// a byte of the other key, so where one key is the other's beginning the
// shorter still comes first.
class NameKeys {
public:
    explicit NameKeys(std::span<FolderItem* const> items) : m_items(items), m_keys(items.size()) {}

    // Orders `orders` by name in the direction asked. Names with no key are
    // compared by the locale.
    void SortByName(std::span<Order> orders, bool descending)
    {
        size_t shared = SIZE_MAX;  // the words every key of the run begins with
        const Key* first = nullptr;
        for (const Order& order : orders) {
            const Key& key = Make(order.index);
            if (key.length == 0)
                continue;
            if (!first) {
                first = &key;
                shared = key.words;
            }
            size_t same = 0;
            const size_t most = std::min<size_t>(shared, key.words);
            while (same < most && std::memcmp(Bytes(*first) + same * 8, Bytes(key) + same * 8, 8) == 0)
                ++same;
            shared = same;
        }
        if (!first)
            shared = 0;
        for (Order& order : orders) {
            const Key& key = m_keys[order.index];
            order.major = key.length != 0 && key.words > shared ? BigEndianWord(Bytes(key) + shared * 8) : 0;
        }
        std::sort(orders.begin(), orders.end(), [&](const Order& a, const Order& b) {
            const int result = Compare(a, b, shared);
            return descending ? result > 0 : result < 0;
        });
    }

    struct Key {
        uint32_t offset = 0;
        uint32_t length = 0;  // 0: none
        uint32_t words = 0;
        bool made = false;
    };

    // The key of item `index`, made at the first call.
    const Key& Make(uint32_t index)
    {
        Key& key = m_keys[index];
        if (key.made)
            return key;
        key.made = true;
        key.offset = static_cast<uint32_t>(m_buffer.size());
        // Room for the keys still to come at their usual length.
        if (m_buffer.capacity() == m_buffer.size())
            m_buffer.reserve(std::max(m_buffer.size() * 2, m_buffer.size() + (m_keys.size() - m_made) * 96));
        ++m_made;
        if (AppendLocaleSortKey(m_items[index]->name, m_buffer))
            key.length = static_cast<uint32_t>(m_buffer.size() - key.offset);
        m_buffer.resize((m_buffer.size() + 7) / 8 * 8, '\0');
        key.words = static_cast<uint32_t>((m_buffer.size() - key.offset) / 8);
        return key;
    }

private:
    const unsigned char* Bytes(const Key& key) const noexcept
    {
        return reinterpret_cast<const unsigned char*>(m_buffer.data()) + key.offset;
    }

    // The keys' bytes in order, eight at a time, starting after the words all
    // of them share.
    int Compare(const Order& a, const Order& b, size_t shared) const noexcept
    {
        const Key& keyA = m_keys[a.index];
        const Key& keyB = m_keys[b.index];
        if (keyA.length == 0 || keyB.length == 0)
            return CompareNames(m_items[a.index]->name, m_items[b.index]->name);
        if (a.major != b.major)
            return a.major < b.major ? -1 : 1;
        const size_t words = std::min(keyA.words, keyB.words);
        const unsigned char* bytesA = Bytes(keyA);
        const unsigned char* bytesB = Bytes(keyB);
        for (size_t i = shared + 1; i < words; ++i) {
            const uint64_t wordA = BigEndianWord(bytesA + i * 8);
            const uint64_t wordB = BigEndianWord(bytesB + i * 8);
            if (wordA != wordB)
                return wordA < wordB ? -1 : 1;
        }
        return CompareValues(keyA.length, keyB.length);
    }

    std::span<FolderItem* const> m_items;
    std::vector<Key> m_keys;
    std::string m_buffer;
    size_t m_made = 0;
};

// Ranks the items' type names so that ranks compare as the names do without
// regard to case (names that compare equal share a rank). A folder holds a
// few distinct types however many items it has: only those are compared.
std::vector<uint64_t> TypeRanks(std::span<FolderItem* const> items)
{
    // Items of one type mostly share one text (the list hands out one per
    // extension): its address finds the name without hashing it.
    std::unordered_map<const wchar_t*, uint32_t> slotOfText;
    std::unordered_map<std::wstring_view, uint32_t> slotOfName;
    std::vector<std::wstring_view> names;
    std::vector<uint32_t> slots(items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const String& typeName = items[i]->typeName;
        // Looked up before anything is added: an emplace would make a node
        // for every item only to throw it away.
        auto text = slotOfText.find(typeName.Chars());
        if (text == slotOfText.end()) {
            const std::wstring_view name(typeName.Chars(), static_cast<size_t>(typeName.Length()));
            auto known = slotOfName.find(name);
            if (known == slotOfName.end()) {
                known = slotOfName.emplace(name, static_cast<uint32_t>(names.size())).first;
                names.push_back(name);
            }
            text = slotOfText.emplace(typeName.Chars(), known->second).first;
        }
        slots[i] = text->second;
    }
    std::vector<uint32_t> byName(names.size());
    for (uint32_t i = 0; i < byName.size(); ++i)
        byName[i] = i;
    // The views come from String texts, so each ends in a terminator.
    std::sort(byName.begin(), byName.end(),
              [&](uint32_t a, uint32_t b) { return CompareNamesNoCase(names[a].data(), names[b].data()) < 0; });
    std::vector<uint64_t> rankOfSlot(names.size());
    uint64_t rank = 0;
    for (size_t i = 0; i < byName.size(); ++i) {
        if (i > 0 && CompareNamesNoCase(names[byName[i - 1]].data(), names[byName[i]].data()) != 0)
            ++rank;
        rankOfSlot[byName[i]] = rank;
    }
    std::vector<uint64_t> ranks(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        ranks[i] = rankOfSlot[slots[i]];
    return ranks;
}

// Sorts one group (the folders or the files): by the key's value, equal
// values by name, both in the direction of the sort.
void SortGroup(std::span<Order> orders, SortKey key, bool descending, NameKeys& names)
{
    if (key == SortKey::Name) {
        names.SortByName(orders, descending);
        return;
    }
    std::sort(orders.begin(), orders.end(), [descending](const Order& a, const Order& b) {
        return descending ? a.major > b.major : a.major < b.major;
    });
    // Only the runs of equal values need their names. Their keys are made in
    // the items' order first: in the order of the values the items would be
    // visited all over memory.
    std::vector<uint32_t> tied;
    for (size_t i = 0; i + 1 < orders.size(); ++i) {
        if (orders[i].major == orders[i + 1].major) {
            if (tied.empty() || tied.back() != orders[i].index)
                tied.push_back(orders[i].index);
            tied.push_back(orders[i + 1].index);
        }
    }
    std::sort(tied.begin(), tied.end());
    for (uint32_t index : tied)
        names.Make(index);
    for (size_t start = 0; start < orders.size();) {
        size_t end = start + 1;
        while (end < orders.size() && orders[end].major == orders[start].major)
            ++end;
        if (end - start > 1)
            names.SortByName(orders.subspan(start, end - start), descending);
        start = end;
    }
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

void SortFolderItems(std::span<FolderItem*> items, DWORD sortState)
{
    if (items.size() < 2)
        return;
    const SortKey key = SortKeyOf(sortState);
    const bool descending = IsDescending(sortState);

    // The key's values worked out once; folders first whatever the direction.
    std::vector<uint64_t> ranks;
    if (key == SortKey::Type)
        ranks = TypeRanks(items);
    std::vector<Order> orders;
    orders.reserve(items.size());
    for (bool folders : {true, false}) {
        for (size_t i = 0; i < items.size(); ++i) {
            const FolderItem& item = *items[i];
            if (item.IsFolder() != folders)
                continue;
            uint64_t major = 0;
            if (key == SortKey::Size)
                major = item.Size();
            else if (key == SortKey::Date)
                major = (uint64_t{item.lastWriteTime.dwHighDateTime} << 32) | item.lastWriteTime.dwLowDateTime;
            else if (key == SortKey::Type)
                major = ranks[i];
            orders.push_back({major, static_cast<uint32_t>(i)});
        }
    }
    const auto folderEnd =
        std::find_if(orders.begin(), orders.end(), [&](const Order& order) { return !items[order.index]->IsFolder(); });
    const std::span<Order> folderOrders(orders.begin(), folderEnd);
    NameKeys names(items);
    SortGroup(folderOrders, key, descending, names);
    SortGroup(std::span<Order>(folderEnd, orders.end()), key, descending, names);

    // Size and type do not tell folders apart: order the folders by name
    // alone, without regard to case.
    if (key == SortKey::Size || key == SortKey::Type) {
        std::sort(folderOrders.begin(), folderOrders.end(), [&](const Order& a, const Order& b) {
            int result = CompareNamesNoCase(items[a.index]->name, items[b.index]->name);
            return descending ? result > 0 : result < 0;
        });
    }

    std::vector<FolderItem*> sorted;
    sorted.reserve(items.size());
    for (const Order& order : orders)
        sorted.push_back(items[order.index]);
    std::copy(sorted.begin(), sorted.end(), items.begin());
}
