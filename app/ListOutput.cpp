#include "app/ListOutput.h"

#include "platform/Runtime.h"
#include "services/ListFile.h"

#include <new>

ListOutput requestedOutput;

std::string ListOutput::Request(const std::string& file)
{
    const std::string failure = CheckListTarget(file);
    if (!failure.empty()) return "The list cannot be written to " + file + ":\n\n" + failure;
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
        failure = SaveListFile(file_, paths);
    } catch (const std::bad_alloc&) {
        failure = "There is not enough memory to write it.";
    }
    if (failure.empty()) {
        App.ExitCode(0);
        return "";
    }
    App.ExitCode(2);
    return "The list could not be written to " + file_ + ":\n\n" + failure +
           "\n\nThe window stays open with the list. Mend the cause and close it again, or save the list "
           "elsewhere, clear it and close.";
}
