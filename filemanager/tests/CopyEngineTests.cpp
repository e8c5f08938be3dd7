// The copy engine on a real folder tree of a device of the test's own:
// copying, moving and duplicating, the overwrite answers, read-only files,
// a full card, cancelling, and what is left when things fail.
#include "filemanager/CopyEngine.h"
#include "filemanager/DeviceFiles.h"
#include "filemanager/FileOperationResources.h"
#include "filemanager/SafeFileCopy.h"

#include "platform/Handles.h"
#include "framework/testsupport/TempDevice.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr char Profile[] = "[store]\nsize=2147483648\nfree=1073741824\n"
                           "[card:Card]\nstate=inserted\nsize=2000\nfree=1000\n";

// What the engine told, and the answers it gets to its questions.
class RecordingProgress : public CopyProgress {
public:
    void SetRange(int total) override { range = total; }
    void Advance(int steps) override
    {
        position += steps;
        if (onAdvance)
            onAdvance();
    }
    void ShowPaths(const String& source, const String&) override { lastSource = source.Chars(); }
    OverwriteAnswer AskOverwrite(const OverwriteQuestion& question) override
    {
        questions.push_back(question.existing.Chars());
        oneItemQuestions.push_back(question.oneItem);
        if (answers.empty())
            return OverwriteAnswer::Cancel;
        OverwriteAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ReportError(UINT message, UINT second, const String& argument) override
    {
        errors.push_back({message, second, argument.Chars()});
    }

    struct Error {
        UINT message;
        UINT second;
        std::wstring argument;
    };
    std::function<void()> onAdvance;
    int range = -1;
    int position = 0;
    std::wstring lastSource;
    std::deque<OverwriteAnswer> answers;
    std::vector<std::wstring> questions;
    std::vector<bool> oneItemQuestions;
    std::vector<Error> errors;
};

class CopyEngineTest : public ::testing::Test {
protected:
    CopyEngineTest() : m_device(Profile) {}

    static std::wstring Real(const wchar_t* handsetPath) { return ToLongFileSystemPath(handsetPath).Chars(); }

    static void Folder(const wchar_t* handsetPath)
    {
        ASSERT_TRUE(CreateDirectoryW(Real(handsetPath).c_str(), nullptr));
    }

    static void File(const wchar_t* handsetPath, const std::string& content)
    {
        vellumate::FileHandle file(
            CreateFileW(Real(handsetPath).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    }

    static std::string Content(const wchar_t* handsetPath)
    {
        vellumate::FileHandle file(
            CreateFileW(Real(handsetPath).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        if (!file)
            return "<missing>";
        std::string text(4096, '\0');
        DWORD read = 0;
        ReadFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
        text.resize(read);
        return text;
    }

    static bool Exists(const wchar_t* handsetPath) { return EntryExists(handsetPath); }
    static DWORD Attributes(const wchar_t* handsetPath) { return GetFileAttributesW(Real(handsetPath).c_str()); }
    static bool ReadOnly(const wchar_t* handsetPath)
    {
        const DWORD attributes = Attributes(handsetPath);
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    }

    // The names in a folder, temporary copies included.
    static std::vector<std::wstring> Names(const wchar_t* folder)
    {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW entry;
        vellumate::FindHandle find(FindFirstFileW(FindPatternOf(folder), &entry));
        if (find) {
            do {
                const std::wstring name = entry.cFileName;
                if (name != L"." && name != L"..")
                    names.push_back(name);
            } while (FindNextFileW(find.Get(), &entry));
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    void Job(CopyMode mode, const wchar_t* from, const wchar_t* to, std::vector<CopyItem> items)
    {
        m_job.mode = mode;
        m_job.sourceFolder = from;
        m_job.destinationFolder = to;
        m_job.items = std::move(items);
    }

    void Run() { CopyEngine(m_job, m_progress).Run(); }

    vellumate::TempDevice m_device;
    CopyJob m_job;
    RecordingProgress m_progress;
};

TEST_F(CopyEngineTest, CopiesFilesAndFoldersRecursivelyAndCountsTheWork)
{
    Folder(L"\\Src");
    Folder(L"\\Src\\Album");
    Folder(L"\\Src\\Album\\Deep");
    File(L"\\Src\\Album\\one.jpg", "one");
    File(L"\\Src\\Album\\Deep\\two.jpg", "two");
    File(L"\\Src\\notes.txt", "notes");
    Folder(L"\\Dst");
    Job(CopyMode::Copy, L"\\Src", L"\\Dst", {{L"Album", true}, {L"notes.txt", false}});
    Run();

    EXPECT_TRUE(m_progress.errors.empty());
    EXPECT_EQ(m_job.fileCount, 3);
    EXPECT_EQ(m_job.itemFileCounts, (std::vector<int>{2, 1}));
    // Every item and every file is one step, a copied file one more.
    EXPECT_EQ(m_progress.range, 5);
    EXPECT_EQ(m_progress.position, 5);
    EXPECT_EQ(Content(L"\\Dst\\Album\\one.jpg"), "one");
    EXPECT_EQ(Content(L"\\Dst\\Album\\Deep\\two.jpg"), "two");
    EXPECT_EQ(Content(L"\\Dst\\notes.txt"), "notes");
    EXPECT_EQ(Content(L"\\Src\\notes.txt"), "notes");
    EXPECT_TRUE(m_job.folderCreated);
    EXPECT_EQ(m_job.CopiedNames().size(), 2u);
    EXPECT_EQ(Names(L"\\Dst"), (std::vector<std::wstring>{L"Album", L"notes.txt"}));
}

TEST_F(CopyEngineTest, ReplaceAllAsksOnceAndSkippingTheLastItemEndsTheJob)
{
    Folder(L"\\Src");
    Folder(L"\\Dst");
    for (const wchar_t* name : {L"a.txt", L"b.txt", L"c.txt"}) {
        File(JoinPath(L"\\Src", name), "new");
        File(JoinPath(L"\\Dst", name), "old");
    }
    Job(CopyMode::Copy, L"\\Src", L"\\Dst", {{L"a.txt"}, {L"b.txt"}, {L"c.txt"}});
    m_progress.answers = {OverwriteAnswer::ReplaceAll};
    Run();
    EXPECT_EQ(m_progress.questions.size(), 1u);
    EXPECT_FALSE(m_progress.oneItemQuestions[0]);
    EXPECT_EQ(Content(L"\\Dst\\c.txt"), "new");

    // Skip, replace, skip: the first skip goes on, the last one ends at once.
    File(L"\\Src\\a.txt", "newer");
    File(L"\\Src\\b.txt", "newer");
    File(L"\\Src\\c.txt", "newer");
    m_job.answer = OverwriteAnswer::NotAsked;
    m_progress = RecordingProgress();
    m_progress.answers = {OverwriteAnswer::Skip, OverwriteAnswer::Replace, OverwriteAnswer::Skip};
    Run();
    EXPECT_EQ(m_progress.questions.size(), 3u);
    EXPECT_EQ(Content(L"\\Dst\\a.txt"), "new");
    EXPECT_EQ(Content(L"\\Dst\\b.txt"), "newer");
    EXPECT_EQ(Content(L"\\Dst\\c.txt"), "new");
    // a: skipped (2 steps), b: copied (2); c ends the job without a step.
    EXPECT_EQ(m_progress.position, 4);
    EXPECT_EQ(m_job.CopiedNames(), (std::vector<String>{L"b.txt"}));

    // Cancel ends the job before anything else is copied.
    m_job.answer = OverwriteAnswer::NotAsked;
    m_progress = RecordingProgress();
    m_progress.answers = {OverwriteAnswer::Cancel};
    File(L"\\Src\\a.txt", "newest");
    Run();
    EXPECT_EQ(m_progress.questions.size(), 1u);
    EXPECT_EQ(Content(L"\\Dst\\a.txt"), "new");
    EXPECT_EQ(Content(L"\\Dst\\b.txt"), "newer");
}

TEST_F(CopyEngineTest, AOneItemJobOffersNoReplaceAllAndWithoutThePreferenceReplacesSilently)
{
    Folder(L"\\Src");
    Folder(L"\\Dst");
    File(L"\\Src\\a.txt", "new");
    File(L"\\Dst\\a.txt", "old");
    Job(CopyMode::Copy, L"\\Src", L"\\Dst", {{L"a.txt"}});
    m_progress.answers = {OverwriteAnswer::Replace};
    Run();
    ASSERT_EQ(m_progress.oneItemQuestions.size(), 1u);
    EXPECT_TRUE(m_progress.oneItemQuestions[0]);

    File(L"\\Src\\a.txt", "newer");
    m_job.askBeforeReplacing = false;
    m_progress = RecordingProgress();
    Run();
    EXPECT_TRUE(m_progress.questions.empty());
    EXPECT_EQ(Content(L"\\Dst\\a.txt"), "newer");
}

TEST_F(CopyEngineTest, AReadOnlyDestinationIsReplacedAndTakesTheSourcesAttributes)
{
    Folder(L"\\Src");
    Folder(L"\\Dst");
    File(L"\\Src\\plain.txt", "plain");
    File(L"\\Src\\locked.txt", "locked");
    File(L"\\Dst\\plain.txt", "old");
    File(L"\\Dst\\locked.txt", "old");
    SetFileAttributesW(Real(L"\\Dst\\plain.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(Real(L"\\Src\\locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    Job(CopyMode::Copy, L"\\Src", L"\\Dst", {{L"plain.txt"}, {L"locked.txt"}});
    m_job.askBeforeReplacing = false;
    Run();

    EXPECT_TRUE(m_progress.errors.empty());
    EXPECT_EQ(Content(L"\\Dst\\plain.txt"), "plain");
    EXPECT_FALSE(ReadOnly(L"\\Dst\\plain.txt"));
    EXPECT_EQ(Content(L"\\Dst\\locked.txt"), "locked");
    EXPECT_TRUE(ReadOnly(L"\\Dst\\locked.txt"));
    EXPECT_EQ(Names(L"\\Dst"), (std::vector<std::wstring>{L"locked.txt", L"plain.txt"}));
}

TEST_F(CopyEngineTest, AFailedCopyRestoresTheReadOnlyDestinationAndLeavesNoTemporaryFile)
{
    Folder(L"\\Src");
    Folder(L"\\Dst");
    File(L"\\Src\\a.txt", "new");
    File(L"\\Dst\\a.txt", "old");
    SetFileAttributesW(Real(L"\\Dst\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    // The source is there but cannot be read: another program holds it.
    vellumate::FileHandle held(CreateFileW(Real(L"\\Src\\a.txt").c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    Job(CopyMode::Copy, L"\\Src", L"\\Dst", {{L"a.txt"}});
    m_job.askBeforeReplacing = false;
    Run();

    ASSERT_EQ(m_progress.errors.size(), 1u);
    EXPECT_EQ(m_progress.errors[0].message, static_cast<UINT>(IDS_COPY_FAILED));
    EXPECT_EQ(m_progress.errors[0].argument, L"a.txt");
    EXPECT_TRUE(ReadOnly(L"\\Dst\\a.txt"));
    EXPECT_EQ(Content(L"\\Dst\\a.txt"), "old");
    EXPECT_EQ(Names(L"\\Dst"), (std::vector<std::wstring>{L"a.txt"}));
}

TEST_F(CopyEngineTest, DuplicatesGetNumberedNamesThatNeverReplaceAnything)
{
    Folder(L"\\Src");
    File(L"\\Src\\a.txt", "a");
    Job(CopyMode::Copy, L"\\Src", L"\\Src", {{L"a.txt"}});
    m_job.listedNames = {L"..", L"a.txt"};
    Run();
    EXPECT_EQ(Content(L"\\Src\\Copy of a.txt"), "a");
    EXPECT_EQ(m_job.resultNames, (std::vector<String>{L"Copy of a.txt"}));

    // Listed names count without regard to case; so does a file the list
    // does not show (a hidden one).
    m_job.listedNames = {L"..", L"a.txt", L"COPY OF A.TXT"};
    File(L"\\Src\\Copy (2) of a.txt", "hidden");
    SetFileAttributesW(Real(L"\\Src\\Copy (2) of a.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    Run();
    EXPECT_EQ(m_job.resultNames, (std::vector<String>{L"Copy (3) of a.txt"}));
    EXPECT_EQ(Content(L"\\Src\\Copy (2) of a.txt"), "hidden");
    EXPECT_EQ(Content(L"\\Src\\Copy (3) of a.txt"), "a");

    // A folder duplicates with everything in it.
    Folder(L"\\Src\\Box");
    File(L"\\Src\\Box\\in.txt", "in");
    Job(CopyMode::Copy, L"\\Src", L"\\Src", {{L"Box", true}});
    m_job.listedNames = {};
    Run();
    EXPECT_EQ(Content(L"\\Src\\Copy of Box\\in.txt"), "in");
    EXPECT_TRUE(m_progress.errors.empty());
}

TEST_F(CopyEngineTest, ADuplicateNameOver252CharactersEndsTheJobButLongPathsWork)
{
    Folder(L"\\Src");
    const std::wstring fits(252 - 8, L'n');  // "Copy of " + 244 characters: 252
    const std::wstring tooLong(245, L'm');
    File(JoinPath(L"\\Src", fits.c_str()), "fits");
    File(JoinPath(L"\\Src", tooLong.c_str()), "long");
    Job(CopyMode::Copy, L"\\Src", L"\\Src", {{fits.c_str()}, {tooLong.c_str()}, {fits.c_str()}});
    Run();

    EXPECT_EQ(Content(JoinPath(L"\\Src", (L"Copy of " + fits).c_str())), "fits");
    ASSERT_EQ(m_progress.errors.size(), 1u);
    EXPECT_EQ(m_progress.errors[0].message, static_cast<UINT>(IDS_COPY_FAILED));
    EXPECT_EQ(m_progress.errors[0].argument, L"Copy of " + tooLong);
    // The job ended: the third item was not copied again.
    EXPECT_EQ(Names(L"\\Src").size(), 3u);
}

TEST_F(CopyEngineTest, AFullCardEndsTheJobWithoutAHalfWrittenFile)
{
    const String card = m_device.Root().wstring().c_str() + String(L"\\Card");
    ASSERT_TRUE(CreateDirectoryW(card, nullptr));
    Folder(L"\\Src");
    File(L"\\Src\\a.bin", std::string(600, 'a'));
    File(L"\\Src\\b.bin", std::string(600, 'b'));
    File(L"\\Src\\c.bin", std::string(10, 'c'));
    Job(CopyMode::Copy, L"\\Src", L"\\Card", {{L"a.bin"}, {L"b.bin"}, {L"c.bin"}});
    Run();

    ASSERT_EQ(m_progress.errors.size(), 1u);
    EXPECT_EQ(m_progress.errors[0].message, static_cast<UINT>(IDS_COPY_FAILED));
    EXPECT_EQ(m_progress.errors[0].second, static_cast<UINT>(IDS_DISK_FULL));
    EXPECT_EQ(m_progress.errors[0].argument, L"b.bin");
    EXPECT_EQ(Names(L"\\Card"), (std::vector<std::wstring>{L"a.bin"}));

    // A folder that cannot even be made on a card without free space.
    m_device.WriteProfile("[card:Card]\nstate=inserted\nsize=2000\nfree=0\n");
    Folder(L"\\Src\\Box");
    Job(CopyMode::Copy, L"\\Src", L"\\Card", {{L"Box", true}, {L"c.bin"}});
    m_progress = RecordingProgress();
    Run();
    ASSERT_EQ(m_progress.errors.size(), 1u);
    EXPECT_EQ(m_progress.errors[0].message, static_cast<UINT>(IDS_DISK_FULL));
    EXPECT_TRUE(m_job.cancel.load());
    EXPECT_EQ(Names(L"\\Card"), (std::vector<std::wstring>{L"a.bin"}));
}

TEST_F(CopyEngineTest, ACancelledLargeCopyLeavesTheDestinationAsItWas)
{
    Folder(L"\\Src");
    Folder(L"\\Dst");
    {
        vellumate::FileHandle file(
            CreateFileW(Real(L"\\Src\\big.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        ASSERT_TRUE(file);
        LARGE_INTEGER size{};
        size.QuadPart = 256ll << 20;
        ASSERT_TRUE(SetFilePointerEx(file.Get(), size, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(file.Get()));
    }
    File(L"\\Dst\\big.bin", "old");
    Job(CopyMode::Copy, L"\\Src", L"\\Dst", {{L"big.bin"}});
    m_job.askBeforeReplacing = false;

    std::thread canceller([this] {
        // As soon as the copy writes, the user presses Cancel.
        for (int i = 0; i < 2000 && Names(L"\\Dst").size() < 2; ++i)
            Sleep(1);
        m_job.cancel.store(true);
    });
    Run();
    canceller.join();

    EXPECT_TRUE(m_progress.errors.empty());
    EXPECT_EQ(Content(L"\\Dst\\big.bin"), "old");
    EXPECT_EQ(Names(L"\\Dst"), (std::vector<std::wstring>{L"big.bin"}));
}

TEST_F(CopyEngineTest, MovingDeletesTheSourcesAndAFailedSourceDeleteUndoesTheCopy)
{
    Folder(L"\\Src");
    Folder(L"\\Src\\Box");
    File(L"\\Src\\Box\\in.txt", "in");
    SetFileAttributesW(Real(L"\\Src\\Box\\in.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    File(L"\\Src\\held.txt", "held");
    File(L"\\Src\\free.txt", "free");
    Folder(L"\\Dst");
    // Someone reads held.txt and does not let it be deleted.
    vellumate::FileHandle held(CreateFileW(Real(L"\\Src\\held.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    Job(CopyMode::Move, L"\\Src", L"\\Dst", {{L"Box", true}, {L"held.txt"}, {L"free.txt"}});
    Run();

    // The folder moved, read-only file and all.
    EXPECT_FALSE(Exists(L"\\Src\\Box"));
    EXPECT_EQ(Content(L"\\Dst\\Box\\in.txt"), "in");
    EXPECT_TRUE(ReadOnly(L"\\Dst\\Box\\in.txt"));
    // held.txt stays where it was, with no second copy; the job went on.
    ASSERT_EQ(m_progress.errors.size(), 1u);
    EXPECT_EQ(m_progress.errors[0].message, static_cast<UINT>(IDS_MOVE_FAILED));
    EXPECT_EQ(m_progress.errors[0].argument, L"held.txt");
    EXPECT_EQ(Content(L"\\Src\\held.txt"), "held");
    EXPECT_FALSE(Exists(L"\\Dst\\held.txt"));
    EXPECT_FALSE(Exists(L"\\Src\\free.txt"));
    EXPECT_EQ(Content(L"\\Dst\\free.txt"), "free");
    EXPECT_EQ(m_job.CopiedNames(), (std::vector<String>{L"Box", L"free.txt"}));
}

TEST_F(CopyEngineTest, VanishedSourcesAndAFolderIntoItselfEndTheJobWithAMessage)
{
    Folder(L"\\Src");
    Folder(L"\\Src\\Box");
    Folder(L"\\Dst");
    Job(CopyMode::Copy, L"\\Src", L"\\Dst", {{L"gone.txt"}, {L"Box", true}});
    Run();
    ASSERT_EQ(m_progress.errors.size(), 1u);
    EXPECT_EQ(m_progress.errors[0].argument, L"gone.txt");
    EXPECT_FALSE(Exists(L"\\Dst\\Box"));

    Job(CopyMode::Copy, L"\\Src", L"\\Dst", {{L"Gone", true}});
    m_progress = RecordingProgress();
    Run();
    ASSERT_EQ(m_progress.errors.size(), 1u);
    EXPECT_EQ(m_progress.errors[0].argument, L"Gone");
    EXPECT_FALSE(Exists(L"\\Dst\\Gone"));

    // Whatever the chooser let through, a folder never goes into itself.
    Job(CopyMode::Copy, L"\\Src", L"\\Src\\Box", {{L"Box", true}});
    m_progress = RecordingProgress();
    Run();
    ASSERT_EQ(m_progress.errors.size(), 1u);
    EXPECT_EQ(m_progress.errors[0].message, static_cast<UINT>(IDS_COPY_INTO_ITSELF));
    EXPECT_TRUE(Names(L"\\Src\\Box").empty());
}

TEST_F(CopyEngineTest, ADestinationThatVanishesMidCopyEndsTheJob)
{
    Folder(L"\\Src");
    File(L"\\Src\\a.txt", "a");
    File(L"\\Src\\b.txt", "b");
    Folder(L"\\Card");
    Job(CopyMode::Move, L"\\Src", L"\\Card", {{L"a.txt"}, {L"b.txt"}});
    // The card is pulled out after the first file.
    m_progress.onAdvance = [this] {
        SetFileAttributesW(Real(L"\\Card\\a.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Real(L"\\Card\\a.txt").c_str());
        RemoveDirectoryW(Real(L"\\Card").c_str());
    };
    Run();
    ASSERT_EQ(m_progress.errors.size(), 1u);
    EXPECT_EQ(m_progress.errors[0].message, static_cast<UINT>(IDS_MOVE_FAILED));
    EXPECT_EQ(m_progress.errors[0].argument, L"b.txt");
    // What was not moved is still where it was.
    EXPECT_EQ(Content(L"\\Src\\b.txt"), "b");
    EXPECT_EQ(Names(L"\\Src"), (std::vector<std::wstring>{L"b.txt"}));
}

TEST_F(CopyEngineTest, AReadOnlyDestinationHeldOpenKeepsItsContentAndAttribute)
{
    Folder(L"\\Src");
    Folder(L"\\Dst");
    File(L"\\Src\\a.txt", "new");
    File(L"\\Dst\\a.txt", "old");
    SetFileAttributesW(Real(L"\\Dst\\a.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    vellumate::FileHandle held(
        CreateFileW(Real(L"\\Dst\\a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    Job(CopyMode::Copy, L"\\Src", L"\\Dst", {{L"a.txt"}});
    m_job.askBeforeReplacing = false;
    Run();
    held.Reset();

    if (m_progress.errors.empty()) {
        // The platform let the new file take the name: then it is whole.
        EXPECT_EQ(Content(L"\\Dst\\a.txt"), "new");
    } else {
        EXPECT_EQ(m_progress.errors[0].argument, L"a.txt");
        EXPECT_EQ(Content(L"\\Dst\\a.txt"), "old");
        EXPECT_TRUE(ReadOnly(L"\\Dst\\a.txt"));
    }
    EXPECT_EQ(Names(L"\\Dst"), (std::vector<std::wstring>{L"a.txt"}));
}

TEST_F(CopyEngineTest, FoldersDeeperThanMaxPathAreCopied)
{
    std::wstring path = L"\\Src";
    Folder(path.c_str());
    for (int level = 0; level < 6; ++level) {
        path += L"\\" + std::wstring(60, static_cast<wchar_t>(L'a' + level));
        Folder(path.c_str());
    }
    File((path + L"\\deep.txt").c_str(), "deep");
    Folder(L"\\Dst");
    Job(CopyMode::Copy, L"", L"\\Dst", {{L"Src", true}});
    Run();
    EXPECT_TRUE(m_progress.errors.empty());
    EXPECT_EQ(Content((L"\\Dst" + path + L"\\deep.txt").c_str()), "deep");
}

}  // namespace
