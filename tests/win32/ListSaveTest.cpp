// Putting a saved list in its target's place, with every answer the system
// can give to the replace and the move, and a target another program holds.
#include "TestSupport.h"
#include "common/FileText.h"
#include "common/FolderFiles.h"
#include "services/ListFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace {

// Answers the steps from scripts, one answer per call; the last one repeats.
class ScriptedSteps {
public:
    ScriptedSteps(std::vector<DWORD> replace, std::vector<DWORD> move)
        : replace_(std::move(replace)), move_(std::move(move))
    {
    }
    ListPlacing Steps()
    {
        return {[this] { return Next(replace_, replaces); }, [this] { return Next(move_, moves); },
                [this] { ++pauses; }};
    }
    unsigned replaces = 0, moves = 0, pauses = 0;

private:
    static DWORD Next(const std::vector<DWORD>& script, unsigned& calls)
    {
        const std::size_t at = std::min<std::size_t>(calls++, script.size() - 1);
        return script.at(at);
    }
    std::vector<DWORD> replace_, move_;
};

}  // namespace

TEST(ListSave, EachAnswerOfTheSystemLeadsToAListInPlaceOrAKeptOne)
{
    const struct {
        const char* what;
        bool exists;
        std::vector<DWORD> replace, move;
        DWORD error;
        bool keepWritten;
        unsigned replaces, moves, pauses;
    } cases[] = {
        {"replaced", true, {0}, {0}, 0, false, 1, 0, 0},
        {"moved to a new name", false, {0}, {0}, 0, false, 0, 1, 0},
        {"old one removed, list moved in", true, {ERROR_UNABLE_TO_MOVE_REPLACEMENT}, {0}, 0, true, 1, 1, 0},
        {"old one renamed, list moved in", true, {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2}, {0}, 0, true, 1, 1, 0},
        {"old one gone, the move refused", true, {ERROR_UNABLE_TO_MOVE_REPLACEMENT}, {ERROR_ALREADY_EXISTS},
         ERROR_ALREADY_EXISTS, true, 1, 1, 0},
        {"old one gone, the list held a moment", true, {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2},
         {ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED, 0}, 0, true, 1, 3, 2},
        {"held a moment, then replaced", true, {ERROR_SHARING_VIOLATION, ERROR_ACCESS_DENIED, 0}, {0}, 0, false, 3, 0,
         2},
        {"held a moment, then moved", false, {0}, {ERROR_SHARING_VIOLATION, 0}, 0, false, 0, 2, 1},
        {"the old one cannot be removed", true, {ERROR_UNABLE_TO_REMOVE_REPLACED}, {0},
         ERROR_UNABLE_TO_REMOVE_REPLACED, false, 1, 0, 0},
        {"the disk is full", false, {0}, {ERROR_DISK_FULL}, ERROR_DISK_FULL, false, 0, 1, 0},
    };
    for (const auto& c : cases) {
        ScriptedSteps system(c.replace, c.move);
        const ListPlaced placed = PlaceList(c.exists, system.Steps());
        EXPECT_EQ(placed.error, c.error) << c.what;
        EXPECT_EQ(placed.keepWritten, c.keepWritten) << c.what;
        EXPECT_EQ(system.replaces, c.replaces) << c.what;
        EXPECT_EQ(system.moves, c.moves) << c.what;
        EXPECT_EQ(system.pauses, c.pauses) << c.what;
    }
}

TEST(ListSave, AFileHeldForGoodIsGivenUpAfterAFewTries)
{
    const struct {
        const char* what;
        std::vector<DWORD> replace;
        bool keepWritten;
    } cases[] = {
        {"the target held", {ERROR_SHARING_VIOLATION}, false},
        {"the old one gone, the list held", {ERROR_UNABLE_TO_MOVE_REPLACEMENT}, true},
    };
    for (const auto& c : cases) {
        ScriptedSteps system(c.replace, {ERROR_ACCESS_DENIED});
        const ListPlaced placed = PlaceList(true, system.Steps());
        EXPECT_NE(placed.error, 0u) << c.what;
        EXPECT_EQ(placed.keepWritten, c.keepWritten) << c.what;
        const unsigned tries = system.replaces + system.moves - (c.keepWritten ? 1 : 0);
        EXPECT_GT(tries, 1u) << c.what;
        EXPECT_EQ(system.pauses, tries - 1) << c.what;  // one pause between tries, none after the last
    }
}

TEST(ListSave, AListHeldOpenForAMomentIsSavedOnceLetGo)
{
    TempFolder folder;
    const std::string target = folder.File("held.txt");
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread scanner([held] {
        Sleep(300);
        CloseHandle(held);
    });
    const std::string failure = SaveListFile(target, {"C:\\new.txt"});
    scanner.join();
    EXPECT_EQ(failure, "");
    EXPECT_EQ(FileBytes(target), "C:\\new.txt\r\n");
    EXPECT_EQ(FilesIn(folder.Path() + "\\"), 1);  // nothing left beside it by the tries
}
