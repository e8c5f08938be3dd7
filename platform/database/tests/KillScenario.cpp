#include "platform/database/tests/KillScenario.h"

#include "platform/database/VolumeStore.h"
#include "platform/database/tests/PosixVolumeFiles.h"
#include "platform/database/tests/VolumeTestSupport.h"

#include <csignal>
#include <cstdio>
#include <map>
#include <poll.h>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace vellumate::database::testing {

namespace {

// What the parent believes the volume holds: per database its name and per
// record its counter value and text.
struct Model {
    struct Rec {
        std::uint32_t value = 0;
        std::string text;
    };
    struct Db {
        std::string name;
        std::map<Oid, Rec> records;
    };
    std::map<Oid, Db> dbs;

    // One change as the child announced it: "C db name", "W db rec value text",
    // "U db rec value", "D db rec", "X db".
    void Apply(const std::string& line)
    {
        std::istringstream in(line);
        char op = 0;
        Oid db = 0, rec = 0;
        std::uint32_t value = 0;
        std::string text;
        in >> op >> db;
        switch (op) {
        case 'C':
            in >> text;
            dbs[db].name = text;
            break;
        case 'W':
            in >> rec >> value;
            in >> text;
            dbs[db].records[rec] = {value, text == "-" ? "" : text};
            break;
        case 'U':
            in >> rec >> value;
            dbs[db].records[rec].value = value;
            break;
        case 'D':
            in >> rec;
            dbs[db].records.erase(rec);
            break;
        case 'X':
            dbs.erase(db);
            break;
        }
    }

    std::string Text() const
    {
        std::string out;
        for (const auto& [oid, db] : dbs) {
            out += std::to_string(oid) + " " + db.name + "\n";
            for (const auto& [rec, r] : db.records)
                out += "  " + std::to_string(rec) + " " + std::to_string(r.value) + " " + r.text + "\n";
        }
        return out;
    }
};

// The same text, read from the volume.
std::string VolumeText(VolumeStore& store)
{
    std::string out;
    for (Oid db : store.Databases()) {
        DatabaseInfo info;
        store.GetDatabase(db, info);
        out += std::to_string(db) + " " + Narrow(info.name) + "\n";
        Cursor cursor{db};
        const Record* record = nullptr;
        while (store.Read(cursor, true, record) == DbStatus::Ok) {
            std::uint32_t value = 0;
            std::string text;
            for (const auto& p : record->properties) {
                if (p.id == (1u << 16 | TypeUI4))
                    value = static_cast<std::uint32_t>(p.bits);
                else if (p.id == (2u << 16 | TypeText))
                    text = Narrow(p.text);
            }
            out += "  " + std::to_string(record->oid) + " " + std::to_string(value) + " " + text + "\n";
        }
    }
    return out;
}

VolumeStore::Options ChildOptions()
{
    VolumeStore::Options options;
    options.compactMinBytes = 16 * 1024;  // rewritten often, so that kills land in rewrites too
    options.sync = false;                 // a killed process loses nothing the kernel has
    return options;
}

void Say(int fd, const std::string& line)
{
    const std::string out = line + "\n";
    (void)!::write(fd, out.data(), out.size());
}

// The child: changes the volume until it is killed.
[[noreturn]] void Writer(const std::string& path, unsigned seed, int fd)
{
    std::mt19937 random(seed);
    std::unique_ptr<VolumeStore> store;
    // Entries go out in small pieces, so that a kill tears them.
    if (VolumeStore::Mount(std::make_unique<PosixVolumeFiles>(path, false, 1 + random() % 16), MountMode::OpenAlways,
                           ChildOptions(), store) != DbStatus::Ok)
        _exit(2);
    std::map<Oid, std::vector<Oid>> records;
    for (Oid db : store->Databases()) {
        Cursor cursor{db};
        const Record* r = nullptr;
        records[db];
        while (store->Read(cursor, true, r) == DbStatus::Ok)
            records[db].push_back(r->oid);
    }
    std::uint32_t counter = random();
    for (;;) {
        const unsigned pick = random() % 100;
        if (records.size() < 2 || pick < 2) {
            const Oid oid = store->NextOid();
            const std::string name = "db" + std::to_string(oid);
            Say(fd, "I C " + std::to_string(oid) + " " + name);
            DatabaseInfo info;
            info.name = std::u16string(name.begin(), name.end());
            Oid made = 0;
            if (store->CreateDatabase(info, made) != DbStatus::Ok || made != oid)
                _exit(3);
            records[made];
        } else {
            auto it = std::next(records.begin(), random() % records.size());
            const Oid db = it->first;
            auto& recs = it->second;
            if (pick < 3 && records.size() > 2) {
                Say(fd, "I X " + std::to_string(db));
                if (store->DeleteDatabase(db) != DbStatus::Ok)
                    _exit(4);
                records.erase(it);
            } else if (pick < 55 || recs.empty()) {
                const Oid oid = store->NextOid();
                const std::uint32_t value = ++counter;
                std::string text(random() % 120, 'a' + random() % 26);
                Say(fd, "I W " + std::to_string(db) + " " + std::to_string(oid) + " " + std::to_string(value) + " " +
                            (text.empty() ? "-" : text));
                Oid written = 0;
                if (store->WriteRecord(db, 0, Set({U4(1, value), Text(2, std::u16string(text.begin(), text.end()))}),
                                       written) != DbStatus::Ok ||
                    written != oid)
                    _exit(5);
                recs.push_back(oid);
            } else if (pick < 75) {
                const Oid rec = recs[random() % recs.size()];
                const std::uint32_t value = ++counter;
                Say(fd, "I U " + std::to_string(db) + " " + std::to_string(rec) + " " + std::to_string(value));
                Oid written = 0;
                if (store->WriteRecord(db, rec, Set({U4(1, value)}), written) != DbStatus::Ok)
                    _exit(6);
            } else {
                const std::size_t at = random() % recs.size();
                const Oid rec = recs[at];
                Say(fd, "I D " + std::to_string(db) + " " + std::to_string(rec));
                if (store->DeleteRecord(db, rec) != DbStatus::Ok)
                    _exit(7);
                recs.erase(recs.begin() + static_cast<std::ptrdiff_t>(at));
            }
        }
        Say(fd, "A");
    }
}

std::string ReadAll(int fd)
{
    std::string all;
    char buffer[4096];
    ssize_t n;
    while ((n = ::read(fd, buffer, sizeof buffer)) > 0)
        all.append(buffer, static_cast<std::size_t>(n));
    return all;
}

// Reads what the child says until it has acknowledged `wanted` changes, so
// that a slow machine still kills writers in the middle of real work; gives up
// after ten seconds (the round then checks whatever happened).
std::string ReadUntilAcknowledged(int fd, int wanted)
{
    std::string said;
    char buffer[4096];
    int acknowledged = 0;
    for (int waited = 0; acknowledged < wanted && waited < 10000;) {
        pollfd poll{fd, POLLIN, 0};
        if (::poll(&poll, 1, 10) <= 0) {
            waited += 10;
            continue;
        }
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        // Each acknowledgement is a line "A" of its own.
        const std::size_t from = said.empty() ? 0 : said.size() - 1;
        said.append(buffer, static_cast<std::size_t>(n));
        for (std::size_t at = said.find("A\n", from); at != std::string::npos; at = said.find("A\n", at + 2))
            if (at == 0 || said[at - 1] == '\n')
                ++acknowledged;
    }
    return said;
}

}  // namespace

KillReport RunKillScenario(const std::string& path, int rounds, unsigned seed)
{
    KillReport report;
    ::unlink(path.c_str());
    ::unlink((path + ".new").c_str());
    std::mt19937 random(seed);
    Model model;
    for (int round = 0; round < rounds; ++round) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) {
            report.failure = "no pipe";
            return report;
        }
        const unsigned childSeed = random();
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeFds[0]);
            Writer(path, childSeed, pipeFds[1]);
        }
        ::close(pipeFds[1]);
        // Most rounds run a few changes and are killed somewhere in the next
        // ones; some are killed at once, in the mount.
        std::string said;
        if (random() % 8 == 0) {
            ::usleep(random() % 200);
        } else {
            said = ReadUntilAcknowledged(pipeFds[0], 1 + static_cast<int>(random() % 4));
            ::usleep(random() % 2000);
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        said += ReadAll(pipeFds[0]);
        ::close(pipeFds[0]);
        if (!WIFSIGNALED(status)) {
            report.failure = "round " + std::to_string(round) + ": the writer stopped by itself, status " +
                             std::to_string(WEXITSTATUS(status));
            return report;
        }

        std::istringstream lines(said);
        std::string line, pending;
        while (std::getline(lines, line)) {
            if (line == "A" && !pending.empty()) {
                model.Apply(pending);
                pending.clear();
                ++report.acknowledged;
            } else if (line.size() > 2 && line[0] == 'I') {
                pending = line.substr(2);
            }
        }

        std::uint64_t size = 0;
        {
            struct stat st {};
            if (::stat(path.c_str(), &st) == 0)
                size = static_cast<std::uint64_t>(st.st_size);
        }
        std::unique_ptr<VolumeStore> store;
        VolumeStore::Options options;
        options.sync = false;
        options.compactMinBytes = 1ull << 40;
        const DbStatus mounted =
            VolumeStore::Mount(std::make_unique<PosixVolumeFiles>(path), MountMode::OpenAlways, options, store);
        if (mounted != DbStatus::Ok) {
            report.failure = "round " + std::to_string(round) + ": the volume does not mount (" +
                             std::to_string(static_cast<int>(mounted)) + ")";
            return report;
        }
        if (store->JournalBytes() < size)
            ++report.tornTails;
        const std::string actual = VolumeText(*store);
        if (actual != model.Text()) {
            Model withPending = model;
            if (!pending.empty())
                withPending.Apply(pending);
            if (pending.empty() || actual != withPending.Text()) {
                report.failure = "round " + std::to_string(round) + ": after \"" + pending + "\"\nexpected:\n" +
                                 model.Text() + "found:\n" + actual;
                return report;
            }
            model = withPending;
            ++report.inFlightKept;
        }
        ++report.rounds;
    }
    return report;
}

}  // namespace vellumate::database::testing
