#include "forms/SharedState.h"

std::string strCurFolder;
bool blnAllowDupes = false;
bool blnSubfolders = false;
std::vector<std::string> strRecentPatterns;
