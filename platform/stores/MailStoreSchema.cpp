#include "platform/stores/MailStoreSchema.h"

namespace vellumate::stores {

namespace {

// "%.8x": eight lower-case hex digits.
void AppendHex8(std::wstring& text, std::uint32_t value)
{
    static constexpr wchar_t Digits[] = L"0123456789abcdef";
    for (int shift = 28; shift >= 0; shift -= 4)
        text.push_back(Digits[(value >> shift) & 0xF]);
}

}  // namespace

std::wstring BodyFilePath(std::uint32_t messageId)
{
    std::wstring path = MapiFolder;
    path += L'\\';
    AppendHex8(path, messageId);
    path += L"1000001f.mpb";
    return path;
}

std::wstring AttachmentFilePath(std::uint32_t messageId, std::uint32_t attachmentId)
{
    std::wstring path = AttachmentsFolder;
    path += L'\\';
    AppendHex8(path, messageId);
    path += L'-';
    AppendHex8(path, attachmentId);
    path += L".att";
    return path;
}

bool SameNameNoCase(std::wstring_view a, std::wstring_view b) noexcept
{
    if (a.size() != b.size())
        return false;
    const auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (fold(a[i]) != fold(b[i]))
            return false;
    }
    return true;
}

std::string AsciiText(std::wstring_view text)
{
    std::string out;
    for (wchar_t c : text)
        out.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
    return out;
}

const MailFolder* FindMailFolder(std::uint32_t id) noexcept
{
    for (const MailFolder& folder : MailFolders) {
        if (folder.id == id)
            return &folder;
    }
    return nullptr;
}

}  // namespace vellumate::stores
