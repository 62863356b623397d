#pragma once
// "-o FILE": the list goes to FILE when the selection window closes, and the
// process's exit code tells a script what happened: 2 (failure) until the list
// has been written (0), or 1 when the list was empty at the end (FILE untouched).
#include <string>
#include <vector>

class ListOutput {
public:
    // Asks for the list to go to the file, once the file is known to be
    // writable (see CheckListTarget). Returns "" or the message that says why
    // not; then nothing is asked.
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
