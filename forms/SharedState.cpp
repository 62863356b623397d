#include "forms/SharedState.h"

std::string strCurFolder;
bool blnAllowDupes = false;
