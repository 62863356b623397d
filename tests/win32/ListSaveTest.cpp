// Putting a saved list in its target's place, with every answer the system
// can give to the replace and the move, and a target another program holds.
#include "TestSupport.h"
#include "common/FileText.h"
#include "common/FolderFiles.h"
#include "services/ListFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <tuple>
#include <vector>

namespace {

// The system's answers to the steps, one per call, the last one repeated; and
// how often each step was taken.
struct ScriptedSteps {
    std::vector<DWORD> replace, move;
    unsigned replaces = 0, moves = 0, pauses = 0;
    ListPlacing Steps()
    {
        const auto next = [](const std::vector<DWORD>& answers, unsigned& calls) {
            return answers.at(std::min<std::size_t>(calls++, answers.size() - 1));
        };
        return {[this, next] { return next(replace, replaces); }, [this, next] { return next(move, moves); },
                [this] { ++pauses; }};
    }
};

}  // namespace

TEST(ListSave, EachAnswerOfTheSystemLeadsToAListInPlaceOrAKeptOne)
{
    const DWORD gone = ERROR_UNABLE_TO_MOVE_REPLACEMENT, renamed = ERROR_UNABLE_TO_MOVE_REPLACEMENT_2,
                held = ERROR_SHARING_VIOLATION, denied = ERROR_ACCESS_DENIED;
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
        {"old one removed, list moved in", true, {gone}, {0}, 0, true, 1, 1, 0},
        {"old one renamed, list moved in", true, {renamed}, {0}, 0, true, 1, 1, 0},
        {"old one gone, the move refused", true, {gone}, {ERROR_ALREADY_EXISTS}, ERROR_ALREADY_EXISTS, true, 1, 1, 0},
        {"old one gone, the list held a moment", true, {renamed}, {held, denied, 0}, 0, true, 1, 3, 2},
        {"held a moment, then replaced", true, {held, denied, 0}, {0}, 0, false, 3, 0, 2},
        {"held a moment, then moved", false, {0}, {held, 0}, 0, false, 0, 2, 1},
        {"old one cannot be removed", true, {ERROR_UNABLE_TO_REMOVE_REPLACED}, {0}, ERROR_UNABLE_TO_REMOVE_REPLACED,
         false, 1, 0, 0},
        {"the disk is full", false, {0}, {ERROR_DISK_FULL}, ERROR_DISK_FULL, false, 0, 1, 0},
    };
    for (const auto& c : cases) {
        ScriptedSteps system{c.replace, c.move};
        const ListPlaced placed = PlaceList(c.exists, system.Steps());
        EXPECT_EQ(placed.error, c.error) << c.what;
        EXPECT_EQ(placed.keepWritten, c.keepWritten) << c.what;
        EXPECT_EQ(std::tie(system.replaces, system.moves, system.pauses), std::tie(c.replaces, c.moves, c.pauses))
            << c.what;
    }
}

TEST(ListSave, AFileHeldForGoodIsGivenUpAfterSomeTries)
{
    for (const DWORD first : {DWORD(ERROR_SHARING_VIOLATION), DWORD(ERROR_UNABLE_TO_MOVE_REPLACEMENT)}) {
        ScriptedSteps system{{first}, {ERROR_ACCESS_DENIED}};
        const ListPlaced placed = PlaceList(true, system.Steps());
        EXPECT_NE(placed.error, 0u) << first;
        EXPECT_GT(system.pauses, 0u) << first;  // and it ended
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
    const std::string failure = SaveList(target, {"C:\\new.txt"}).failure;
    scanner.join();
    EXPECT_EQ(failure, "");
    EXPECT_EQ(FileBytes(target), "C:\\new.txt\r\n");
    EXPECT_EQ(FilesIn(folder.Path() + "\\"), 1);  // nothing left beside it by the tries
}
