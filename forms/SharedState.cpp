#include "forms/SharedState.h"

std::string strCurFolder;
bool blnAllowDupes = false;
std::vector<std::string> strRecentPatterns;
