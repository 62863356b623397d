#include "services/ListShape.h"

#include "platform/CodePage.h"
#include "platform/PathParts.h"
#include "platform/Win32.h"

#include <shlwapi.h>

namespace {

// The keys each entry is compared by, in turn: a name sorts by itself, a
// folder or an extension then by the name, as Explorer's columns do.
SortTexts KeysOf(const std::vector<std::string_view>& texts, SortKey key)
{
    SortTexts keys(key == SortKey::Name ? 1 : 2);
    for (const std::string_view text : texts) {
        const std::string_view name = NameOf(text);
        if (key == SortKey::Folder) keys.Add(ToUtf16(text.substr(0, text.size() - name.size())));
        if (key == SortKey::Extension) keys.Add(ToUtf16(ExtensionOf(name)));
        keys.Add(ToUtf16(name));
    }
    return keys;
}

}  // namespace

std::vector<int> SortedBy(const std::vector<std::string_view>& texts, SortKey key, bool descending)
{
    switch (key) {
    case SortKey::Size:
        return OrderByFacts(ReadFileFacts(texts), &FileFacts::size, descending);
    case SortKey::Modified:
        return OrderByFacts(ReadFileFacts(texts), &FileFacts::modified, descending);
    default:
        return NaturalOrder(KeysOf(texts, key), descending,
                            [](const wchar_t* a, const wchar_t* b) { return StrCmpLogicalW(a, b); });
    }
}

MissingFiles FindMissing(const std::vector<std::string_view>& texts)
{
    MissingFiles missing;
    missing.positions = MissingPositions(ReadFileFacts(texts));
    missing.message = MissingRemovedMessage(missing.positions.size());
    return missing;
}
