#include "app/ListOutput.h"

#include "platform/Runtime.h"
#include "services/ListFile.h"

#include <new>

ListOutput requestedOutput;

namespace {

std::string NameOfOutput(const std::string& file)
{
    return NamesStandardOutput(file) ? "standard output" : file;
}

std::string StandardOutputRefusal()
{
    if (TakesAList(GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)))) return "";
    return "Standard output is not a file or a pipe. Start the program from a script with its output redirected: "
           "quorvel.exe -o - > list.txt";
}

}  // namespace

bool NamesStandardOutput(const std::string& word)
{
    return word == "-";
}

bool TakesAList(DWORD fileType)
{
    return fileType == FILE_TYPE_DISK || fileType == FILE_TYPE_PIPE;
}

std::string ListOutput::Request(const std::string& file)
{
    const std::string failure = NamesStandardOutput(file) ? StandardOutputRefusal() : CheckListTarget(file);
    if (!failure.empty()) return "The list cannot be written to " + NameOfOutput(file) + ":\n\n" + failure;
    file_ = file;
    App.ExitCode(2);
    return "";
}

std::string ListOutput::WriteAtClose(const std::vector<std::string>& paths)
{
    if (file_.empty()) return "";
    if (paths.empty()) {
        App.ExitCode(1);
        return "";
    }
    std::string failure;
    try {
        // Entries whose file has gone are written with empty columns: the
        // list is written whole, and the exit code says so.
        failure = NamesStandardOutput(file_)
                      ? WriteList(GetStdHandle(STD_OUTPUT_HANDLE), ListFormat::Paths, paths, nullptr).failure
                      : SaveList(file_, paths).failure;
    } catch (const std::bad_alloc&) {
        failure = "There is not enough memory to write it.";
    }
    if (failure.empty()) {
        App.ExitCode(0);
        return "";
    }
    App.ExitCode(2);
    return "The list could not be written to " + NameOfOutput(file_) + ":\n\n" + failure +
           "\n\nThe window stays open with the list. Mend the cause and close it again, or save the list "
           "elsewhere, clear it and close.";
}
