#include "services/PathText.h"

std::string AddSlash(const std::string& path)
{
    if (!path.empty() && path.back() == '\\') return path;
    return path + '\\';
}

std::string TrimNull(const std::string& text)
{
    return text.substr(0, text.find('\0'));
}

std::string IconKey(const std::string& typeName, const std::string& fullPath)
{
    return typeName == "Application" ? fullPath : typeName;
}
