#include "app/mdlModes.h"

#include "platform/Runtime.h"
#include "version.h"

std::string strProductName;
std::string strProductVersion;
std::string strBannerColor;

void InitProductInfo()
{
    strProductName = "Quorvel";
    strProductVersion = QUORVEL_VERSION_TEXT;  // "1.0"
    App.Title(strProductName + " " + strProductVersion);
    strBannerColor = "16711808";  // 0x00FF0080: violet
}
