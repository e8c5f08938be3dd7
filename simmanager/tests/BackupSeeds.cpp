// Writes the backup reader's seed corpus into a folder: files as Pellory
// writes them (empty, small, full-length texts, the older identification,
// a large SIM) and a few that are damaged in the ways the reader refuses.
//
//     backup_seeds FOLDER
#include "simmanager/BackupFormat.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

BackupFigures Figures(std::uint32_t name, std::uint32_t number, std::uint32_t min, std::uint32_t max)
{
    BackupFigures figures;
    figures.nameLength = name;
    figures.numberLength = number;
    figures.minIndex = min;
    figures.maxIndex = max;
    return figures;
}

bool Write(const std::string& folder, const char* name, const std::string& bytes)
{
    std::ofstream file(folder + "/" + name, std::ios::binary | std::ios::trunc);
    file << bytes;
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: backup_seeds FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    const std::string small =
        FormatBackup(Figures(14, 20, 1, 100),
                     {{1, L"Anna", L"+441632960001"}, {7, L"Fourteen chars", L"5550100"}, {100, L"", L"112"}});
    std::string older = small;
    const std::wstring text = BackupIdentification(BackupOlderMinorVersion);
    for (std::size_t i = 0; i < text.size(); ++i)
        older[2 * i] = static_cast<char>(text[i]);
    std::vector<BackupRecord> many;
    for (std::uint16_t index = 1; index <= 250; index += 3)
        many.push_back({index, std::wstring(16, L'N'), std::wstring(40, L'5')});
    bool ok = Write(folder, "empty.ztc", FormatBackup(Figures(16, 40, 1, 250), {}));
    ok = Write(folder, "small.ztc", small) && ok;
    ok = Write(folder, "older.ztc", older) && ok;
    ok = Write(folder, "large.ztc", FormatBackup(Figures(16, 40, 1, 250), many)) && ok;
    ok = Write(folder, "cut.ztc", small.substr(0, small.size() - 3)) && ok;
    ok = Write(folder, "header.ztc", small.substr(0, BackupHeaderBytes)) && ok;
    return ok ? 0 : 1;
}
