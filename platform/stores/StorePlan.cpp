#include "platform/stores/StorePlan.h"

#include "platform/stores/MailStoreSchema.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace vellumate::stores {

namespace {

// SplitMix64: small, fast, and the same sequence on every compiler (the
// standard distributions are not).
class Random {
public:
    explicit Random(std::uint64_t seed) noexcept : m_state(seed) {}

    std::uint64_t Next() noexcept
    {
        std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to bound - 1.
    std::uint32_t Below(std::uint32_t bound) noexcept
    {
        return bound == 0 ? 0 : static_cast<std::uint32_t>(Next() % bound);
    }
    std::uint32_t Between(std::uint32_t low, std::uint32_t high) noexcept { return low + Below(high - low + 1); }
    bool Chance(std::uint32_t percent) noexcept { return Below(100) < percent; }
    // Spread evenly over the logarithms, as file sizes are: many small, a few large.
    std::uint32_t LogBetween(std::uint32_t low, std::uint32_t high) noexcept
    {
        const double unit = static_cast<double>(Next() >> 11) / 9007199254740992.0;
        const double value = std::exp(std::log(double(low)) + unit * (std::log(double(high)) - std::log(double(low))));
        return std::clamp(static_cast<std::uint32_t>(value), low, high);
    }
    template <typename T, std::size_t N>
    const T& Pick(const std::array<T, N>& items) noexcept
    {
        return items[Below(N)];
    }

private:
    std::uint64_t m_state;
};

constexpr std::array<const wchar_t*, 16> FirstNames{
    L"Anna", L"Ben", L"Chloe", L"David", L"Emma", L"Farid", L"Grace", L"Hugo",
    L"Isla", L"Jonas", L"Keira", L"Liam", L"Maya", L"Noah", L"Olive", L"Priya"};
constexpr std::array<const wchar_t*, 12> LastNames{
    L"Marsh", L"Okafor", L"Lindqvist", L"Brennan", L"Castell", L"Hale",
    L"Novak", L"Pryce", L"Quinlan", L"Rowe", L"Sato", L"Whitby"};
constexpr std::array<const wchar_t*, 6> Domains{
    L"example.com", L"example.org", L"example.net", L"mail.example.com", L"work.example", L"post.example"};
constexpr std::array<const wchar_t*, 24> Subjects{
    L"Meeting on Thursday", L"Re: Quarterly figures", L"Lunch?", L"Photos from the weekend",
    L"Your order has shipped", L"Invoice 2024-0413", L"Re: Re: Train times", L"Agenda for Monday",
    L"Draft proposal", L"Fwd: Conference registration", L"Holiday plans", L"Minutes of the board meeting",
    L"Re: Budget review", L"Welcome to the team", L"Reminder: dentist at 10:30", L"New price list",
    L"Re: Flat viewing", L"Tickets for Saturday", L"Project timeline", L"Fwd: Recipe",
    L"Question about the contract", L"Re: Parking permit", L"Birthday party", L"Monthly newsletter"};
constexpr std::array<const wchar_t*, 16> TextMessages{
    L"On my way, 10 minutes",
    L"Can you call me when you get this?",
    L"Running late, start without me",
    L"Thanks for yesterday! Had a great time",
    L"Where did you park?",
    L"Happy birthday!! Hope you have a lovely day",
    L"Meeting moved to 3pm, same room",
    L"Don't forget the milk",
    L"Your parcel will be delivered today between 10:00 and 14:00.",
    L"OK see you there",
    L"Did you get my email about the tickets?",
    L"Landed safely, speak soon x",
    L"The train is delayed by 20 minutes, sorry",
    L"Yes please, two for Saturday",
    L"Can we move dinner to Friday?",
    L"Your verification code is 482910. It expires in 10 minutes."};
constexpr std::array<const wchar_t*, 8> AttachmentNames{
    L"report.pdf", L"photo.jpg", L"minutes.doc", L"figures.xls",
    L"map.png", L"invitation.pdf", L"scan.jpg", L"notes.txt"};
constexpr std::array<const char*, 8> BodyWords{
    "the", "meeting", "please", "attached", "thanks", "tomorrow", "regards", "project"};

// 2024-05-01 09:00:00 UTC as a file time: where the store's history ends.
constexpr std::uint64_t HistoryEnd = 133590276000000000ull;
constexpr std::uint64_t TicksPerSecond = 10000000ull;
constexpr std::uint32_t HistoryDays = 180;

std::wstring ContactName(std::uint32_t index)
{
    return std::wstring(FirstNames[index % FirstNames.size()]) + L" " +
           LastNames[(index / FirstNames.size() + index) % LastNames.size()];
}

// Numbers of the ranges set aside for drama: never anyone's.
std::wstring ContactNumber(std::uint32_t index)
{
    std::wstring digits = std::to_wstring(900000 + index % 1000);
    return L"+447700" + digits;
}

std::wstring Address(const std::wstring& name, std::uint32_t domain)
{
    std::wstring local;
    for (wchar_t c : name)
        local.push_back(c == L' ' ? L'.' : static_cast<wchar_t>(c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c));
    return local + L"@" + Domains[domain % Domains.size()];
}

// "Wed, 01 May 2024 09:00:00 +0000"
std::wstring MailDate(std::uint64_t fileTime)
{
    static constexpr std::array<const wchar_t*, 7> Days{L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat", L"Sun"};
    static constexpr std::array<const wchar_t*, 12> Months{L"Jan", L"Feb", L"Mar", L"Apr", L"May", L"Jun",
                                                           L"Jul", L"Aug", L"Sep", L"Oct", L"Nov", L"Dec"};
    const std::int64_t seconds = static_cast<std::int64_t>(fileTime / TicksPerSecond) - 11644473600ll;
    const std::int64_t days = seconds / 86400;
    const std::int64_t secondOfDay = seconds % 86400;
    // Days since 1970 to a civil date (proleptic Gregorian).
    const std::int64_t z = days + 719468;
    const std::int64_t era = z / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    wchar_t text[64];
    std::swprintf(text, 64, L"%ls, %02d %ls %04d %02d:%02d:%02d +0000", Days[(days + 3) % 7], int(day),
                  Months[month - 1], int(year), int(secondOfDay / 3600), int(secondOfDay / 60 % 60),
                  int(secondOfDay % 60));
    return text;
}

std::uint64_t TimeInHistory(Random& random)
{
    return HistoryEnd - std::uint64_t{random.Below(HistoryDays * 86400)} * TicksPerSecond;
}

struct FolderShare {
    std::uint32_t id;
    std::uint32_t weight;     // share of the messages
    std::uint32_t readPercent;
    std::uint32_t attachPercent;
};

// Most mail arrives; little waits in the outbox; drafts are never marked read.
constexpr std::array<FolderShare, 5> EmailShares{{
    {InboxId, 45, 70, 20},
    {OutboxId, 5, 100, 20},
    {SentId, 25, 100, 15},
    {DeletedId, 15, 85, 20},
    {DraftsId, 10, 100, 10},
}};
constexpr std::array<FolderShare, 2> TextShares{{
    {TextInboxId, 70, 75, 0},
    {TextSentId, 30, 100, 0},
}};

// `total` messages over the folders by weight; each folder has one when
// there are enough to go round.
template <std::size_t N>
std::array<std::uint32_t, N> Share(std::uint32_t total, const std::array<FolderShare, N>& shares)
{
    std::array<std::uint32_t, N> counts{};
    std::uint32_t left = total;
    if (total >= N) {
        counts.fill(1);
        left -= N;
    }
    const std::uint32_t spread = left;
    for (std::size_t i = 0; i < N; ++i) {
        const auto part = static_cast<std::uint32_t>(std::uint64_t{spread} * shares[i].weight / 100);
        counts[i] += part;
        left -= part;
    }
    counts[0] += left;
    return counts;
}

// Where mail arrives there is always something new: a folder of two or more
// arrived messages has at least one unread, whatever the dice said.
template <std::size_t N>
void MarkSomethingUnread(std::vector<PlannedMessage>& messages, const std::array<FolderShare, N>& shares)
{
    for (const FolderShare& share : shares) {
        if (share.readPercent == 100)
            continue;
        PlannedMessage* last = nullptr;
        std::uint32_t count = 0;
        bool unread = false;
        for (PlannedMessage& message : messages) {
            if (message.folderId == share.id) {
                ++count;
                unread = unread || message.IsUnread();
                last = &message;
            }
        }
        if (count >= 2 && !unread)
            last->read = false;
    }
}

PlannedMessage MakeEmail(Random& random, std::uint32_t id, const FolderShare& share, std::uint32_t& nextAttachment)
{
    PlannedMessage m;
    m.id = id;
    m.folderId = share.id;
    m.hasFlags = share.id != DraftsId;
    m.read = random.Chance(share.readPercent);
    const std::uint32_t person = random.Below(40);
    const std::wstring name = ContactName(person);
    const std::wstring address = Address(name, person);
    m.sender = name + L" <" + address + L">";
    m.subject = random.Pick(Subjects);
    m.time = TimeInHistory(random);
    const bool outgoing = share.id != InboxId && share.id != DeletedId;
    const std::wstring me = L"Sam Tailor <sam.tailor@example.com>";
    m.header = L"From: " + (outgoing ? me : m.sender) + L"\r\nTo: " + (outgoing ? m.sender : me) +
               L"\r\nSubject: " + m.subject + L"\r\nDate: " + MailDate(m.time) + L"\r\n";
    m.bodySize = random.LogBetween(400, 16384);
    if (random.Chance(share.attachPercent)) {
        const std::uint32_t count = random.Chance(70) ? 1 : random.Chance(66) ? 2 : 3;
        for (std::uint32_t i = 0; i < count; ++i)
            m.attachments.push_back({nextAttachment++, random.Pick(AttachmentNames), random.LogBetween(1024, 65536)});
    }
    return m;
}

PlannedMessage MakeText(Random& random, std::uint32_t id, const FolderShare& share)
{
    PlannedMessage m;
    m.id = id;
    m.folderId = share.id;
    m.text = true;
    m.read = random.Chance(share.readPercent);
    const std::uint32_t person = random.Below(40);
    m.sender = person < 30 ? ContactName(person) : ContactNumber(person);
    m.body = random.Pick(TextMessages);
    m.subject = m.body.substr(0, 30);
    m.time = TimeInHistory(random);
    return m;
}

}  // namespace

StorePlan MakeStorePlan(const StoreRequest& request)
{
    Random random(request.seed * 0x2545F4914F6CDD1Dull + 0x5EEDull);
    StorePlan plan;
    const std::uint32_t emails = std::min(request.emails, MaxMessages);
    const std::uint32_t texts = std::min(request.texts, MaxMessages - emails);
    plan.messages.reserve(emails + texts);
    std::uint32_t nextId = 0x00100001;
    std::uint32_t nextAttachment = 1;
    const auto emailCounts = Share(emails, EmailShares);
    for (std::size_t f = 0; f < EmailShares.size(); ++f) {
        for (std::uint32_t i = 0; i < emailCounts[f]; ++i)
            plan.messages.push_back(MakeEmail(random, nextId++, EmailShares[f], nextAttachment));
    }
    const auto textCounts = Share(texts, TextShares);
    for (std::size_t f = 0; f < TextShares.size(); ++f) {
        for (std::uint32_t i = 0; i < textCounts[f]; ++i)
            plan.messages.push_back(MakeText(random, nextId++, TextShares[f]));
    }

    MarkSomethingUnread(plan.messages, EmailShares);
    MarkSomethingUnread(plan.messages, TextShares);

    const std::uint32_t calls = std::min(request.calls, MaxCalls);
    std::uint64_t when = HistoryEnd;
    for (std::uint32_t i = 0; i < calls; ++i) {
        PlannedCall call;
        const std::uint32_t person = random.Below(40);
        const bool known = person < 30;
        call.number = ContactNumber(person);
        call.name = known ? ContactName(person) : std::wstring();
        const std::uint32_t kind = random.Below(10);
        call.direction = kind < 4 ? CallOutgoing : kind < 8 ? CallIncoming : CallMissed;
        call.duration = call.direction == CallMissed ? 0 : random.LogBetween(5, 1800);
        when -= std::uint64_t{random.Between(600, 86400 * 2)} * TicksPerSecond;
        call.time = when;
        plan.calls.push_back(std::move(call));
    }

    const std::uint32_t speedDials = std::min(request.speedDials, MaxSpeedDials);
    for (std::uint32_t i = 0; i < speedDials; ++i)
        plan.speedDials.push_back({i + 2, ContactNumber(i), ContactName(i)});

    const std::uint32_t notes = std::min(request.notes, MaxNotes);
    for (std::uint32_t i = 0; i < notes; ++i)
        plan.notes.push_back({L"Note " + std::to_wstring(i + 1) + L".wav", random.Between(2, 8) * NoteSampleRate});
    return plan;
}

std::string BodyFileBytes(const PlannedMessage& message)
{
    std::string bytes;
    bytes.reserve(message.bodySize);
    Random random(message.id);
    std::size_t line = 0;
    while (bytes.size() < message.bodySize) {
        bytes += BodyWords[random.Below(BodyWords.size())];
        if (++line % 12 == 0)
            bytes += "\r\n";
        else
            bytes += ' ';
    }
    bytes.resize(message.bodySize);
    return bytes;
}

std::string AttachmentFileBytes(const PlannedMessage& message, const PlannedAttachment& attachment)
{
    std::string bytes(attachment.size, '\0');
    Random random((std::uint64_t{message.id} << 32) | attachment.id);
    for (std::size_t i = 0; i < bytes.size(); i += 8) {
        const std::uint64_t word = random.Next();
        for (std::size_t b = 0; b < 8 && i + b < bytes.size(); ++b)
            bytes[i + b] = static_cast<char>(word >> (8 * b));
    }
    return bytes;
}

namespace {

void PutLe(std::string& bytes, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        bytes.push_back(static_cast<char>(value >> (8 * i)));
}

}  // namespace

std::string NoteFileBytes(const PlannedNote& note)
{
    std::string bytes;
    bytes.reserve(WaveHeaderBytes + note.dataBytes);
    bytes += "RIFF";
    PutLe(bytes, 36 + note.dataBytes, 4);
    bytes += "WAVEfmt ";
    PutLe(bytes, 16, 4);              // format chunk size
    PutLe(bytes, 1, 2);               // PCM
    PutLe(bytes, 1, 2);               // mono
    PutLe(bytes, NoteSampleRate, 4);  // samples a second
    PutLe(bytes, NoteSampleRate, 4);  // bytes a second
    PutLe(bytes, 1, 2);               // block align
    PutLe(bytes, 8, 2);               // bits a sample
    bytes += "data";
    PutLe(bytes, note.dataBytes, 4);
    // A quiet triangle wave around the 8-bit midpoint.
    for (std::uint32_t i = 0; i < note.dataBytes; ++i) {
        const std::uint32_t phase = i % 40;
        const int level = phase < 20 ? static_cast<int>(phase) : 40 - static_cast<int>(phase);
        bytes.push_back(static_cast<char>(118 + level));
    }
    return bytes;
}

}  // namespace vellumate::stores
