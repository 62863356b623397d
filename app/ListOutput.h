#pragma once
// "-o FILE": the list goes to FILE when the selection window closes, and the
// process's exit code tells a script what happened: 2 (failure) until the list
// has been written (0), or 1 when the list was empty at the end (FILE untouched).
// "-o -": the list, one path a line, goes to standard output instead.
#include "platform/Win32.h"

#include <string>
#include <vector>

// Whether the word after "-o" names standard output.
bool NamesStandardOutput(const std::string& word);
// Whether standard output of the platform's type (GetFileType) takes a list:
// a file or a pipe does; a console does not, nor nothing at all (a program
// started from Explorer has no standard output).
bool TakesAList(DWORD fileType);

class ListOutput {
public:
    // Asks for the list to go to the file, once the file is known to be
    // writable (see CheckListTarget), or to standard output, once it is known
    // to take a list. Returns "" or the message that says why not; then
    // nothing is asked.
    std::string Request(const std::string& file);
    // Without a request, nothing. With one: writes the list, or nothing for an
    // empty list, and sets the exit code. Returns "" or the message that says
    // why the list could not be written.
    std::string WriteAtClose(const std::vector<std::string>& paths);

private:
    std::string file_;
};

// The program's one list output.
extern ListOutput requestedOutput;
