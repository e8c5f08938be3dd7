// What Pellory's start-up and keypad search cost: the program started until
// its window is up, over a card of 250 filled positions (target: under a
// second) and beside a card of one position; opening and loading the card
// in the model, set beside the bare platform reads it consists of; and one
// digit key over 1,000 entries (target: within a frame, 16 ms), set beside
// building the base view.
#include "simmanager/KeyLetters.h"
#include "simmanager/PhonebookStore.h"
#include "simmanager/SimAccess.h"

#include "framework/testsupport/BenchTiming.h"
#include "framework/testsupport/TempDevice.h"

#include "platform/sim/SimCardFile.h"

#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using vellumate::bench::MedianMs;

class QuietMessages : public SimMessages {
public:
    void Error(UINT id) override { std::printf("unexpected message %u\n", id); }
    void ErrorNumber(UINT id, int) override { Error(id); }
    void Information(UINT id) override { Error(id); }
    bool Ask(UINT) override { return true; }
};

std::wstring NameOf(int i)
{
    static const wchar_t* const first[] = {L"Anna", L"Boris", L"Carla", L"Dmitri",
                                           L"Elke", L"Farid", L"Greta", L"Hugo"};
    return std::wstring(first[i % 8]) + L" " + std::to_wstring(i);
}

vellumate::sim::SimCard CardOf(std::uint32_t positions)
{
    vellumate::sim::SimCard card;
    card.minIndex = 1;
    card.maxIndex = positions;
    card.maxNameLength = 16;
    card.maxNumberLength = 20;
    for (std::uint32_t position = 1; position <= positions && positions > 1; ++position)
        card.Phonebook(SIM_PBSTORAGE_SIM)->entries[position] = {L"0301234" + std::to_wstring(position), 2,
                                                                NameOf(static_cast<int>(position))};
    return card;
}

// The installed program beside this benchmark's folder (build\programs).
std::wstring ProgramPath()
{
    wchar_t own[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, own, MAX_PATH);
    return (std::filesystem::path(own).parent_path().parent_path() / L"programs" / L"pellory.exe").wstring();
}

// Milliseconds from CreateProcess until Pellory's window is visible; the
// program is closed again. -1 when no window came within ten seconds.
double WindowUpMs(const std::wstring& program)
{
    std::wstring command = L"\"" + program + L"\"";
    STARTUPINFOW startup{sizeof startup};
    PROCESS_INFORMATION process{};
    vellumate::bench::Stopwatch clock;
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    double up = -1;
    while (clock.Milliseconds() < 10000) {
        HWND window = FindWindowW(L"Pellory", nullptr);
        if (window && IsWindowVisible(window)) {
            up = clock.Milliseconds();
            PostMessageW(window, WM_CLOSE, 0, 0);
            break;
        }
        Sleep(1);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return up;
}

double MedianWindowUpMs(const std::wstring& program, int rounds)
{
    std::vector<double> samples;
    for (int round = 0; round < rounds; ++round)
        samples.push_back(WindowUpMs(program));
    return vellumate::bench::Median(samples);
}

void ProgramStart()
{
    const std::wstring program = ProgramPath();
    if (GetFileAttributesW(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::printf("program start: %ls is not built\n", program.c_str());
        return;
    }
    // The program writes its default settings when it finds none: those go
    // again, so that the prefix is left as it was.
    HKEY existing = nullptr;
    const bool hadSettings =
        RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Zantric\\Pellory", 0, KEY_READ, &existing) == ERROR_SUCCESS;
    if (existing)
        RegCloseKey(existing);
    double full = 0;
    double single = 0;
    {
        vellumate::TempDevice device;
        device.WriteSim(vellumate::sim::FormatSimCard(CardOf(250)));
        full = MedianWindowUpMs(program, 5);
        device.WriteSim(vellumate::sim::FormatSimCard(CardOf(1)));
        single = MedianWindowUpMs(program, 5);
    }
    if (!hadSettings)
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Zantric\\Pellory");
    std::printf("program start to window, 250 filled positions %8.1f ms (target < 1000 ms)\n", full);
    std::printf("  the same over a card of one position        %8.1f ms; 250 / 1 %.2f, %.3f ms a position\n", single,
                single > 0 ? full / single : 0, (full - single) / 249);
}

void StartUp()
{
    vellumate::TempDevice device;
    device.WriteSim(vellumate::sim::FormatSimCard(CardOf(250)));

    QuietMessages messages;
    ViewOptions options;
    options.rowsPerPage = 8;
    const double open = MedianMs(5, [&] {
        SimAccess sim;
        sim.Open(messages);
        sim.LoadAll(options);
    });

    HSIM handle = nullptr;
    SimInitialize(SIM_INIT_NONE, nullptr, 0, &handle);
    const double reads = MedianMs(5, [&] {
        SIMPHONEBOOKENTRY record{};
        for (DWORD index = 1; index <= 250; ++index) {
            record.cbSize = sizeof record;
            SimReadPhonebookEntry(handle, SIM_PBSTORAGE_SIM, index, &record);
        }
    });
    SimDeinitialize(handle);

    std::printf("start-up, 250 filled positions: open + load %8.1f ms (target < 1000 ms)\n", open);
    std::printf("  bare reads of the 250 positions  %8.1f ms, %.3f ms a position; start-up / reads %.2f\n", reads,
                reads / 250, reads > 0 ? open / reads : 0);
}

void KeypadSearch()
{
    constexpr int Entries = 1000;
    SimFigures figures;
    figures.minIndex = 1;
    figures.maxIndex = Entries;
    figures.nameLength = 16;
    figures.numberLength = 20;
    PhonebookStore store(SIM_PBSTORAGE_SIM, Entries, figures);
    for (int i = 0; i < Entries; ++i)
        store.Slot(i).Set(NameOf(i).c_str(), (L"0301234" + std::to_wstring(i)).c_str());
    KeyLetters letters;
    letters.Load(GetModuleHandleW(nullptr));
    ViewOptions options;
    options.rowsPerPage = 8;

    const int keys[] = {2, 6, 6, 2};  // "anna", and whatever else fits
    const double base = MedianMs(21, [&] { store.RebuildBaseView(options); });
    double perKey[4] = {};
    for (int typed = 1; typed <= 4; ++typed) {
        perKey[typed - 1] = MedianMs(
            21,
            [&] {
                store.ResetViews();
                for (int k = 0; k < typed - 1; ++k)
                    store.TypeKey(keys[k], letters, options);
            },
            [&] { store.TypeKey(keys[typed - 1], letters, options); });
    }
    std::printf("keypad search over %d entries (target < 16 ms a key):\n", Entries);
    for (int typed = 1; typed <= 4; ++typed)
        std::printf("  key %d: %7.3f ms, %5.2f x building the base view (%.3f ms)\n", typed, perKey[typed - 1],
                    base > 0 ? perKey[typed - 1] / base : 0, base);
}

}  // namespace

int wmain()
{
    ProgramStart();
    StartUp();
    KeypadSearch();
    return 0;
}
