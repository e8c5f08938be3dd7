// vmzip: writes the sample device's zip archives and the fuzz target's seed
// corpus with the test writer, so that both are made, not hand-edited.
//   vmzip samples FOLDER   the archives of the sample device's "My Documents"
//   vmzip seeds FOLDER     small archives of every kind the reader meets
#include "filemanager/archive/testsupport/ZipWriter.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

bool Save(const std::string& folder, const std::string& name, const std::string& bytes)
{
    std::ofstream out(folder + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "vmzip: cannot write %s/%s\n", folder.c_str(), name.c_str());
        return false;
    }
    return true;
}

std::string Lines(const std::string& title, int count)
{
    std::string text = title + "\r\n";
    for (int i = 1; i <= count; ++i)
        text += "Line " + std::to_string(i) + " of " + title + ".\r\n";
    return text;
}

// The password of the sample device's encrypted member; the device's
// "Read me.txt" tells it.
constexpr const char* SamplePassword = "vellum";

bool WriteSamples(const std::string& folder)
{
    ZipWriter trip;
    trip.AddFolder("Trip");
    trip.AddFile("Trip/Itinerary.txt", Lines("Itinerary", 40));
    trip.AddFile("Trip/Packing list.txt", Lines("Packing list", 25));
    trip.AddFolder("Trip/Tickets");
    ZipEntryOptions stored;
    stored.deflate = false;
    trip.AddFile("Trip/Tickets/Train.txt", "Train, coach 7, seat 42.\r\n", stored);
    trip.AddFile("Notes.txt", Lines("Notes", 12));

    ZipWriter letters;
    letters.AddFile("Letter to Anna.txt", Lines("Letter to Anna", 8), stored);
    letters.AddFile("Letter to Ben.txt", Lines("Letter to Ben", 6), stored);
    letters.AddFile("Empty.txt", "", stored);

    ZipWriter locked;
    locked.AddFile("Open.txt", "This member needs no password.\r\n");
    ZipEntryOptions secret;
    secret.password = SamplePassword;
    locked.AddFile("Private/Diary.txt", Lines("Diary", 20), secret);
    ZipEntryOptions secretStored = secret;
    secretStored.deflate = false;
    secretStored.dataDescriptor = true;
    locked.AddFile("Private/PIN.txt", "1234\r\n", secretStored);
    locked.SetComment("Made for the sample device.");

    return Save(folder, "Trip.zip", trip.Finish()) && Save(folder, "Letters.zip", letters.Finish()) &&
           Save(folder, "Locked.zip", locked.Finish());
}

bool WriteSeeds(const std::string& folder)
{
    ZipEntryOptions stored;
    stored.deflate = false;
    ZipEntryOptions secret;
    secret.password = "secret";
    ZipEntryOptions described;
    described.dataDescriptor = true;
    described.password = "secret";

    ZipWriter plain;
    plain.AddFolder("a");
    plain.AddFile("a/b.txt", Lines("b", 20));
    plain.AddFile("c.txt", "stored bytes", stored);
    plain.AddFile("empty", "", stored);

    ZipWriter locked;
    locked.AddFile("x/secret.txt", Lines("secret", 10), secret);
    locked.AddFile("y.bin", std::string(300, 'y'), described);

    ZipWriter stub;
    stub.SetStub(std::string(64, 'M'));
    stub.SetComment("comment");
    stub.AddFile("in stub.txt", Lines("stub", 5));

    ZipWriter unsafe;
    unsafe.AddFile("../up.txt", "up", stored);
    unsafe.AddFile("/abs.txt", "abs", stored);
    unsafe.AddFile("C:drive.txt", "drive", stored);
    unsafe.AddFile("NUL.txt", "device", stored);

    ZipWriter bomb;
    bomb.AddFile("zeros", std::string(200000, '\0'), {});

    ZipWriter damaged;
    ZipEntryOptions wrongCrc;
    wrongCrc.recordedCrc = 0x12345678;
    damaged.AddFile("bad crc.txt", Lines("bad", 3), wrongCrc);
    ZipEntryOptions shortSize;
    shortSize.recordedUncompressedSize = 10;
    damaged.AddFile("too long.txt", Lines("long", 3), shortSize);
    damaged.SetRecordedEntryCount(40);

    ZipWriter empty;
    return Save(folder, "plain.zip", plain.Finish()) && Save(folder, "locked.zip", locked.Finish()) &&
           Save(folder, "stub.zip", stub.Finish()) && Save(folder, "unsafe.zip", unsafe.Finish()) &&
           Save(folder, "bomb.zip", bomb.Finish()) && Save(folder, "damaged.zip", damaged.Finish()) &&
           Save(folder, "empty.zip", empty.Finish());
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc == 3 ? argv[1] : "";
    if (command == "samples")
        return WriteSamples(argv[2]) ? 0 : 1;
    if (command == "seeds")
        return WriteSeeds(argv[2]) ? 0 : 1;
    std::fprintf(stderr, "usage: vmzip samples|seeds FOLDER\n");
    return 2;
}
