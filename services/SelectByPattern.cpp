#include "services/SelectByPattern.h"

#include "platform/CodePage.h"
#include "platform/Letters.h"
#include "platform/PathParts.h"
#include "services/NamePattern.h"

bool SelectMatching(ListView& list, std::string_view patterns, bool selected)
{
    const NamePatterns rule(UpperCaseUtf8(patterns));
    if (rule.Empty()) return false;
    list.Reselect([&](std::string_view text, bool wasSelected) {
        if (wasSelected == selected) return selected;
        const std::string_view name = NameOf(text);
        // ASCII names, the most, match as they are; the rule folds their letters itself.
        const bool matches = IsAscii(name) ? rule.Matches(name) : rule.Matches(UpperCaseUtf8(name));
        return matches ? selected : wasSelected;
    });
    return true;
}

void InvertSelection(ListView& list)
{
    list.Reselect([](std::string_view, bool selected) { return !selected; });
}
