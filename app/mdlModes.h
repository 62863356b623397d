#pragma once
// The product information the windows show.
#include <string>

extern std::string strProductName;
extern std::string strProductVersion;
// The banner's colour as decimal text of a 0x00BBGGRR value.
extern std::string strBannerColor;

// Sets the product information and the application title. Assigns constants,
// so calling it again changes nothing.
void InitProductInfo();
