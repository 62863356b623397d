#pragma once
// What the windows need from the program that makes them: the program icon,
// the product information and the list's way out at the end. The program
// hands it to the selection window when it makes it.
#include "platform/Win32.h"

#include <string>
#include <vector>

class ProgramServices {
public:
    virtual ~ProgramServices() = default;
    // Gives the window the program's icon group at both sizes; with
    // blnTopOwner, the top window of its owner chain too.
    virtual void SetFormIcon(HWND hWnd, const std::string& strIconName, bool blnTopOwner) = 0;
    // Sets the product information, which the two below then give.
    virtual void InitProductInfo() = 0;
    virtual std::string ProductName() = 0;
    // The banner's colour as decimal text of a 0x00BBGGRR value.
    virtual std::string BannerColor() = 0;
    // The whole list as the selection window closes: written where the
    // command line asked ("-o FILE"), if it did. Returns "" or the message
    // that says why it could not be written.
    virtual std::string WriteListAtClose(const std::vector<std::string>& paths) = 0;
};
