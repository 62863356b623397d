#include "app/CommandLine.h"

bool StartsMinimised(const std::string& arguments)
{
    return arguments == "-st";
}
