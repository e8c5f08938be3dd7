#include "simmanager/ContactFields.h"

#include "simmanager/resource.h"

#include "framework/TextOps.h"

#include <cwchar>

namespace {

constexpr const wchar_t* ContactProperties[32] = {
    L"Birthday",
    L"BusinessFaxNumber",
    L"HomeFaxNumber",
    L"PagerNumber",
    L"MobileTelephoneNumber",
    L"BusinessTelephoneNumber,Business2TelephoneNumber",
    L"HomeTelephoneNumber,Home2TelephoneNumber",
    L"CarTelephoneNumber",
    L"RadioTelephoneNumber",
    L"CompanyName",
    L"Department",
    L"Email1Address",
    L"Email2Address,Email3Address",
    L"OfficeLocation",
    L"JobTitle",
    L"Spouse",
    L"Anniversary",
    L"Children",
    L"Categories",
    L"WebPage",
    L"Title",
    L"FirstName",
    L"MiddleName",
    L"LastName",
    L"Suffix",
    L"AssistantName,AssistantTelephoneNumber",
    L"HomeAddressStreet,HomeAddressCity,HomeAddressState,HomeAddressPostalCode,HomeAddressCountry",
    L"OtherAddressStreet,OtherAddressCity,OtherAddressState,OtherAddressPostalCode,OtherAddressCountry",
    L"BusinessAddressStreet,BusinessAddressCity,BusinessAddressState,BusinessAddressPostalCode,"
    L"BusinessAddressCountry",
    L"FileAs",
    L"Body",
    L"YomiCompanyName,YomiFirstName,YomiLastName",
};

const wchar_t* OperatorText(RestrictionOperator op) noexcept
{
    switch (op) {
    case RestrictionOperator::Less:
        return L" < ";
    case RestrictionOperator::LessEqual:
        return L" <= ";
    case RestrictionOperator::Greater:
        return L" > ";
    case RestrictionOperator::GreaterEqual:
        return L" >= ";
    case RestrictionOperator::Equal:
        return L" = ";
    case RestrictionOperator::NotEqual:
        return L" <> ";
    }
    return nullptr;
}

const wchar_t* JoinerText(RestrictionJoiner joiner) noexcept
{
    switch (joiner) {
    case RestrictionJoiner::And:
        return L" AND ";
    case RestrictionJoiner::Or:
        return L" OR ";
    case RestrictionJoiner::None:
        break;
    }
    return L"";
}

int HighestBit(DWORD mask) noexcept
{
    for (int bit = 31; bit >= 0; --bit) {
        if (mask & (1u << bit))
            return bit;
    }
    return -1;
}

}  // namespace

const wchar_t* ContactPropertyEntry(int folder, int bit) noexcept
{
    if (folder != ContactsFolder || bit < 0 || bit > 31)
        return L"";
    return ContactProperties[bit];
}

String ContactColumnList(int folder, DWORD mask)
{
    String columns;
    for (int bit = 0; bit < 32; ++bit) {
        const wchar_t* entry = ContactPropertyEntry(folder, bit);
        if (!(mask & (1u << bit)) || !*entry)
            continue;
        if (!columns.IsEmpty())
            columns += L',';
        columns += entry;
    }
    return columns;
}

bool AppendRestrictionClause(String& restriction, int folder, DWORD mask, RestrictionOperator op, const wchar_t* value,
                             RestrictionJoiner joiner)
{
    const int bit = HighestBit(mask);
    const wchar_t* opText = OperatorText(op);
    if (bit < 0 || !opText)
        return false;
    String property;
    const int position = static_cast<int>(mask & ((1u << bit) - 1));
    if (!ExtractField(property, ContactPropertyEntry(folder, bit), position, L',') || property.IsEmpty())
        return false;
    String quoted(value ? value : L"");
    // The server reads "" inside a value as one quote.
    quoted.Replace(L"\"", L"\"\"");
    restriction += JoinerText(joiner);
    restriction += L'[';
    restriction += property;
    restriction += L']';
    restriction += opText;
    restriction += L'"';
    restriction += quoted;
    restriction += L'"';
    return true;
}

UINT NumberKindLabelId(int kind) noexcept
{
    return kind >= 1 && kind <= NumberKindCount ? static_cast<UINT>(IDS_NUMBER_KIND_LABELS + kind - 1) : 0;
}

NumberKindLabels NumberKindLabels::Load()
{
    NumberKindLabels labels;
    for (int kind = 1; kind <= NumberKindCount; ++kind)
        labels.m_labels[kind - 1].LoadResourceText(NumberKindLabelId(kind));
    return labels;
}

NumberKindLabels::NumberKindLabels(const String (&labels)[NumberKindCount])
{
    for (int index = 0; index < NumberKindCount; ++index)
        m_labels[index] = labels[index];
}

const String& NumberKindLabels::Of(int kind) const noexcept
{
    static const String none;
    return kind >= 1 && kind <= NumberKindCount ? m_labels[kind - 1] : none;
}

String ComposeSimName(const wchar_t* firstName, const wchar_t* lastName, const wchar_t* label, int maxNameLength)
{
    String first = String(firstName ? firstName : L"").Left(MaxSimNamePart);
    String last = String(lastName ? lastName : L"").Left(MaxSimNamePart);
    const String kindLabel(label ? label : L"");
    int excess = first.Length() + last.Length() + kindLabel.Length() + 2 - maxNameLength;
    bool firstsTurn = true;
    while (excess > 0 && (first.Length() > 3 || last.Length() > 3)) {
        String& part = firstsTurn ? first : last;
        if (part.Length() > 3) {
            part = part.Left(part.Length() - 1);
            --excess;
        }
        firstsTurn = !firstsTurn;
    }
    return first + L" " + last + L"/" + kindLabel;
}

SplitSimName SplitSimEntryName(const wchar_t* name, const NumberKindLabels& labels)
{
    SplitSimName split;
    String text(name ? name : L"");
    if (text.Length() > MaxSplitNameLength) {
        split.tooLong = true;
        return split;
    }
    for (int kind = NumberKindCount; kind >= 1; --kind) {
        const String& label = labels.Of(kind);
        if (label.IsEmpty())
            continue;
        const int at = text.Find(String(L"/") + label);
        if (at >= 0) {
            text = text.Left(at);
            split.kind = kind;
            break;
        }
    }
    // "Ann Lee /m": the blank before the label belongs to neither name.
    text.TrimLeft(L' ');
    text.TrimRight(L' ');
    const int blank = text.Find(L' ');
    if (blank < 0) {
        split.firstName = text;
        return split;
    }
    split.firstName = text.Left(blank);
    String rest = text.Mid(blank);
    rest.TrimLeft(L' ');
    if (rest.Length() >= 2)
        split.lastName = rest;
    return split;
}
