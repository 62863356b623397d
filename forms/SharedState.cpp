#include "forms/SharedState.h"

std::string strCurFolder;
bool blnAllowDupes = false;
std::string strOutputFile;
std::vector<std::string> strRecentPatterns;
