#include "platform/profiletool/ProfileEditor.h"

#include "platform/profiletool/ProfileReport.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <type_traits>

namespace vellumate::profiletool {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

// "[ Card: SD ]" is the section "card:SD", "[Obex: Pad]" the section
// "obex:Pad"; other names stay as written.
std::wstring SectionName(std::wstring_view name)
{
    name = TrimProfileText(name);
    for (const std::wstring_view prefix : {ProfileCardPrefix, ProfileObexPrefix})
        if (name.size() >= prefix.size() && SameName(name.substr(0, prefix.size()), prefix))
            return std::wstring(prefix) + std::wstring(TrimProfileText(name.substr(prefix.size())));
    return std::wstring(name);
}

enum class LineKind { Blank, Section, Setting, Other };

// One line of the file as the editor sees it: what it is and where it stands.
struct Line {
    std::string text;    // without its ending
    std::string ending;  // "\n", "\r\n", or "" for a last line without one
    LineKind kind = LineKind::Other;
    std::wstring section;  // a header's own name; a setting's section (empty above the first header)
    std::wstring key;      // a setting's name
};

std::vector<Line> SplitLines(std::string_view bytes)
{
    std::vector<Line> lines;
    std::wstring section;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t end = bytes.find('\n', start);
        Line line;
        if (end == std::string_view::npos) {
            line.text = bytes.substr(start);
            start = bytes.size();
        } else {
            line.text = bytes.substr(start, end - start);
            line.ending = "\n";
            start = end + 1;
            if (!line.text.empty() && line.text.back() == '\r') {
                line.text.pop_back();
                line.ending = "\r\n";
            }
        }
        std::string_view content = line.text;
        if (lines.empty() && content.starts_with(ByteOrderMark))
            content.remove_prefix(ByteOrderMark.size());
        const std::wstring wide = WideFromUtf8(content);
        const std::wstring_view trimmed = TrimProfileText(wide);
        if (trimmed.empty() || trimmed.front() == L';' || trimmed.front() == L'#') {
            line.kind = LineKind::Blank;
        } else if (trimmed.front() == L'[') {
            if (trimmed.size() >= 2 && trimmed.back() == L']') {
                line.kind = LineKind::Section;
                section = SectionName(trimmed.substr(1, trimmed.size() - 2));
                line.section = section;
            }
        } else if (const std::size_t equals = trimmed.find(L'='); equals != std::wstring_view::npos) {
            line.kind = LineKind::Setting;
            line.section = section;
            line.key = TrimProfileText(trimmed.substr(0, equals));
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// A file the platform cannot take as text is named on line 0, and every value
// is its default. A readable file can have a problem on line 0 too (a total
// below a free figure that the file leaves at its default), but never all the
// defaults with it: those agree with one another.
bool UnreadableAsText(const ProfileReading& reading)
{
    const bool wholeFile = std::any_of(reading.problems.begin(), reading.problems.end(),
                                       [](const ProfileProblem& problem) { return problem.line == 0; });
    return wholeFile && DescribeProfile(reading.profile) == DescribeProfile(DeviceProfile{});
}

bool BlocksEditing(const std::vector<Line>& lines, int number, bool unreadable)
{
    if (number == 0)
        return unreadable;
    if (number < 0 || static_cast<std::size_t>(number) > lines.size())
        return true;
    const Line& line = lines[static_cast<std::size_t>(number) - 1];
    switch (line.kind) {
    case LineKind::Setting:
        return line.section.empty();
    case LineKind::Section:
        // The platform's only complaint about a well-formed header of a card
        // is its name; an unknown section is merely ignored.
        return line.section.starts_with(ProfileCardPrefix);
    case LineKind::Blank:
    case LineKind::Other:
        break;
    }
    return true;
}

std::wstring Located(int line, const std::wstring& text)
{
    return line == 0 ? text : L"line " + std::to_wstring(line) + L": " + text;
}

std::wstring CheckEdit(const ProfileEdit& edit)
{
    const std::wstring all = edit.section + edit.key + edit.value;
    if (TrimProfileText(edit.section).empty() || TrimProfileText(edit.key).empty())
        return L"a setting needs a section and a name";
    if (all.find_first_of(L"\r\n") != std::wstring::npos)
        return L"a setting must fit on one line: " + edit.key;
    if (edit.key.find(L'=') != std::wstring::npos)
        return L"a setting's name cannot hold '=': " + edit.key;
    return {};
}

// The edits to make, one per section and name: a later edit of the same
// setting replaces an earlier one.
struct Pending {
    std::wstring header;  // as the caller spelt it, for a new section
    std::wstring section;
    std::wstring key;
    std::wstring value;
    bool done = false;
};

std::vector<Pending> Collect(const std::vector<ProfileEdit>& edits)
{
    std::vector<Pending> pending;
    for (const ProfileEdit& edit : edits) {
        const std::wstring section = SectionName(edit.section);
        const std::wstring key(TrimProfileText(edit.key));
        const auto same = [&](const Pending& p) { return SameName(p.section, section) && SameName(p.key, key); };
        if (auto found = std::find_if(pending.begin(), pending.end(), same); found != pending.end())
            found->value = edit.value;
        else
            pending.push_back({std::wstring(TrimProfileText(edit.section)), section, key, edit.value});
    }
    return pending;
}

// Where a new setting of each section goes: after its last line that is not
// blank or a comment (comments above the next header belong to that header).
std::vector<std::pair<std::wstring, std::size_t>> LastLines(const std::vector<Line>& lines)
{
    std::vector<std::pair<std::wstring, std::size_t>> last;
    const std::wstring* current = nullptr;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == LineKind::Section)
            current = &lines[i].section;
        if (!current || lines[i].kind == LineKind::Blank)
            continue;
        const auto same = [&](const auto& entry) { return SameName(entry.first, *current); };
        if (auto found = std::find_if(last.begin(), last.end(), same); found != last.end())
            found->second = i;
        else
            last.emplace_back(*current, i);
    }
    return last;
}

std::string SettingLine(const std::wstring& key, const std::wstring& value)
{
    return Utf8FromWide(key) + "=" + Utf8FromWide(value);
}

}  // namespace

std::vector<CheckedProblem> CheckProfile(std::string_view bytes)
{
    const ProfileReading reading = ParseDeviceProfile(bytes);
    const std::vector<Line> lines = SplitLines(bytes);
    const bool unreadable = UnreadableAsText(reading);
    std::vector<CheckedProblem> checked;
    for (const ProfileProblem& problem : reading.problems)
        checked.push_back({BlocksEditing(lines, problem.line, unreadable), problem.line, problem.text});
    std::stable_sort(checked.begin(), checked.end(),
                     [](const CheckedProblem& a, const CheckedProblem& b) { return a.line < b.line; });
    return checked;
}

EditOutcome EditProfile(std::string_view bytes, const std::vector<ProfileEdit>& edits)
{
    EditOutcome outcome;
    for (const CheckedProblem& problem : CheckProfile(bytes))
        if (problem.blocksEditing)
            outcome.refusals.push_back(Located(problem.line, problem.text));
    for (const ProfileEdit& edit : edits)
        if (std::wstring wrong = CheckEdit(edit); !wrong.empty())
            outcome.refusals.push_back(std::move(wrong));
    if (!outcome.refusals.empty())
        return outcome;

    std::vector<Line> lines = SplitLines(bytes);
    std::vector<Pending> pending = Collect(edits);
    std::vector<bool> changed(lines.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Line& line = lines[i];
        if (line.kind != LineKind::Setting || line.section.empty())
            continue;
        for (Pending& edit : pending) {
            if (SameName(edit.section, line.section) && SameName(edit.key, line.key)) {
                line.text = line.text.substr(0, line.text.find('=') + 1) + Utf8FromWide(edit.value);
                changed[i] = true;
                edit.done = true;
            }
        }
    }

    // New settings: after their section's last line, or in new sections at the end.
    const auto last = LastLines(lines);
    std::map<std::size_t, std::vector<std::string>> after;
    std::vector<std::pair<std::wstring, std::vector<std::string>>> tail;
    for (const Pending& edit : pending) {
        if (edit.done)
            continue;
        const auto same = [&](const auto& entry) { return SameName(entry.first, edit.section); };
        if (auto found = std::find_if(last.begin(), last.end(), same); found != last.end()) {
            after[found->second].push_back(SettingLine(edit.key, edit.value));
            continue;
        }
        auto group = std::find_if(tail.begin(), tail.end(), same);
        if (group == tail.end()) {
            tail.push_back({edit.section, {"[" + Utf8FromWide(edit.header) + "]"}});
            group = tail.end() - 1;
        }
        group->second.push_back(SettingLine(edit.key, edit.value));
    }

    std::string ending = "\n";
    for (const Line& line : lines) {
        if (!line.ending.empty()) {
            ending = line.ending;
            break;
        }
    }
    std::vector<bool> written;  // by line of the new file
    const auto put = [&](const std::string& text, const std::string& end, bool isNew) {
        outcome.bytes += text + end;
        written.push_back(isNew);
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto inserted = after.find(i);
        const bool more = inserted != after.end() || (i + 1 == lines.size() && !tail.empty());
        put(lines[i].text, lines[i].ending.empty() && more ? ending : lines[i].ending, changed[i]);
        if (inserted != after.end())
            for (const std::string& text : inserted->second)
                put(text, ending, true);
    }
    for (const auto& [section, texts] : tail) {
        if (!outcome.bytes.empty())
            put("", ending, false);
        for (const std::string& text : texts)
            put(text, ending, true);
    }

    // The platform reads the result; what it would newly complain of is refused.
    std::vector<std::wstring> known;
    for (const ProfileProblem& problem : ParseDeviceProfile(bytes).problems)
        known.push_back(problem.text);
    for (const ProfileProblem& problem : ParseDeviceProfile(outcome.bytes).problems) {
        const bool onEdit = problem.line > 0 && static_cast<std::size_t>(problem.line) <= written.size() &&
                            written[static_cast<std::size_t>(problem.line) - 1];
        const auto old = std::find(known.begin(), known.end(), problem.text);
        if (!onEdit && old != known.end())
            known.erase(old);
        else
            outcome.refusals.push_back(problem.text);
    }
    if (!outcome.refusals.empty())
        outcome.bytes.clear();
    return outcome;
}

bool IsCardName(std::wstring_view name)
{
    if (name.empty() || name.find_first_of(L"\r\n") != std::wstring_view::npos)
        return false;
    const ProfileReading reading = ParseDeviceProfile("[card:" + Utf8FromWide(name) + "]\n");
    return reading.problems.empty() && reading.profile.cards.size() == 1 && reading.profile.cards[0].name == name;
}

std::wstring WideFromUtf8(std::string_view bytes)
{
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, nullptr, 0);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), size, text.data(), length);
    return text;
}

std::string Utf8FromWide(std::wstring_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto point = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
        const bool high = point >= 0xD800 && point <= 0xDBFF;
        const bool lowNext = i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (high && lowNext)
            point = 0x10000 + ((point - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
        else if ((point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)
            point = 0xFFFD;  // half a pair stands for nothing
        if (point < 0x80) {
            bytes += static_cast<char>(point);
        } else if (point < 0x800) {
            bytes += static_cast<char>(0xC0 | (point >> 6));
            bytes += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            bytes += static_cast<char>(0xE0 | (point >> 12));
            bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (point >> 18));
            bytes += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return bytes;
}

}  // namespace vellumate::profiletool
