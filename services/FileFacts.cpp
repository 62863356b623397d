#include "services/FileFacts.h"

#include "platform/FileSystem.h"
#include "platform/PathParts.h"

#include <cstdint>
#include <unordered_map>

namespace {

FileFacts FactsOf(const EntryRecord& record)
{
    FileFacts facts;
    facts.exists = !(record.attributes & FILE_ATTRIBUTE_DIRECTORY);
    facts.size = record.size;
    facts.modified = record.modified;
    facts.created = record.created;
    facts.attributes = record.attributes;
    return facts;
}

FileFacts AskedFacts(std::string_view path)
{
    EntryRecord record;
    if (ReadEntryRecord(std::string(path), record)) return FactsOf(record);
    FileFacts facts;
    facts.unknown = !SaysNothingThere(GetLastError());
    return facts;
}

}  // namespace

std::vector<FileFacts> ReadFileFacts(const std::vector<std::string_view>& paths)
{
    std::vector<FileFacts> facts(paths.size());
    // The paths of each folder; a path of no folder is asked about at once.
    std::unordered_map<std::string_view, std::vector<std::uint32_t>> byFolder;
    std::vector<std::uint32_t>* last = nullptr;  // the folder of the path before: most lists run by folder
    std::string_view lastFolder;
    for (std::uint32_t i = 0; i < paths.size(); ++i) {
        const std::string_view folder = FolderPart(paths[i]);
        if (folder.empty()) {
            facts[i] = AskedFacts(paths[i]);
            continue;
        }
        if (!last || folder != lastFolder) last = &byFolder[lastFolder = folder];
        last->push_back(i);
    }
    for (const auto& [folder, named] : byFolder) {
        if (named.size() <= kPathsWorthAFolderRead) {
            for (const std::uint32_t i : named) facts[i] = AskedFacts(paths[i]);
            continue;
        }
        const FolderEntries entries{std::string(folder)};
        for (const std::uint32_t i : named) {
            const std::string_view name = paths[i].substr(folder.size());
            if (const EntryRecord* found = entries.Find(name))
                facts[i] = FactsOf(*found);
            else if (!entries.Whole() || !ShownAsWritten(name))
                facts[i] = AskedFacts(paths[i]);  // else the file is not there
        }
    }
    return facts;
}
