#include "platform/driver/KeyNames.h"

#include <array>

namespace vellumate {
namespace {

struct NamedKey {
    std::wstring_view name;
    WORD key;
};

// The handset reports its extra keys as function keys: soft keys F1/F2, Talk
// F3, End F4, star F8, pound F9; Back is Escape.
constexpr std::array<NamedKey, 12> NamedKeys{{
    {L"up", VK_UP},
    {L"down", VK_DOWN},
    {L"left", VK_LEFT},
    {L"right", VK_RIGHT},
    {L"enter", VK_RETURN},
    {L"soft1", VK_F1},
    {L"soft2", VK_F2},
    {L"back", VK_ESCAPE},
    {L"talk", VK_F3},
    {L"end", VK_F4},
    {L"star", VK_F8},
    {L"pound", VK_F9},
}};

constexpr std::wstring_view TextPrefix = L"text:";

bool EqualNoCase(std::wstring_view left, std::wstring_view right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        const wchar_t a = left[i] >= L'A' && left[i] <= L'Z' ? left[i] - L'A' + L'a' : left[i];
        if (a != right[i])
            return false;
    }
    return true;
}

}  // namespace

std::optional<WORD> HandsetKey(std::wstring_view name)
{
    if (name.size() == 1 && name[0] >= L'0' && name[0] <= L'9')
        return static_cast<WORD>(name[0]);  // VK_0 .. VK_9 are the digits themselves
    for (const NamedKey& named : NamedKeys)
        if (EqualNoCase(name, named.name))
            return named.key;
    return std::nullopt;
}

KeyParseResult ParseKeys(const std::vector<std::wstring>& arguments)
{
    KeyParseResult result;
    for (const std::wstring& argument : arguments) {
        const std::wstring_view view = argument;
        if (view.size() >= TextPrefix.size() && EqualNoCase(view.substr(0, TextPrefix.size()), TextPrefix)) {
            for (const wchar_t unit : view.substr(TextPrefix.size()))
                result.strokes.push_back({KeyStroke::Kind::Character, static_cast<WORD>(unit)});
            continue;
        }
        const std::optional<WORD> key = HandsetKey(view);
        if (!key) {
            result.strokes.clear();
            result.unknownName = argument.empty() ? L"\"\"" : argument;
            return result;
        }
        result.strokes.push_back({KeyStroke::Kind::VirtualKey, *key});
    }
    return result;
}

}  // namespace vellumate
