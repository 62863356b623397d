#include "services/PathData.h"

#include "platform/CodePage.h"
#include "platform/DropFiles.h"
#include "platform/SystemError.h"
#include "services/ListText.h"

#include <cstring>
#include <cwchar>
#include <string_view>

namespace {

GlobalMemory BlockOf(const void* data, std::size_t size, std::size_t offset = 0)
{
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, offset + size));
    if (!block) return block;
    if (auto* bytes = static_cast<char*>(GlobalLock(block.get()))) {
        std::memcpy(bytes + offset, data, size);
        GlobalUnlock(block.get());
    }
    return block;
}

// The clipboard, open for as long as this lives, closed on every way out.
// Clipboard history, remote desktop and clipboard managers open it for a
// moment after every change: it is asked for again for about half a second.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner)
    {
        const DWORD start = GetTickCount();
        while (!(open_ = OpenClipboard(owner) != FALSE) && GetTickCount() - start < 500) Sleep(20);
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard()
    {
        if (open_) CloseClipboard();
    }
    explicit operator bool() const { return open_; }

private:
    bool open_ = false;
};

// The clipboard's text, copied, and its non-blank lines.
void ReadText(HANDLE block, PastedPaths& pasted)
{
    const auto* locked = static_cast<const wchar_t*>(GlobalLock(block));
    if (!locked) return;
    // The block may be larger than its text, and a careless program's may lack the NUL.
    pasted.text.assign(locked, wcsnlen(locked, GlobalSize(block) / sizeof(wchar_t)));
    GlobalUnlock(block);
    std::wstring_view text(pasted.text);
    while (!text.empty()) {
        const std::size_t end = text.find(L'\n');
        const std::wstring_view line = text.substr(0, end);
        text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
        if (line.find_first_not_of(L" \t\r") != std::wstring_view::npos) pasted.lines.push_back(line);
    }
}

GlobalMemory TextBlock(const std::string& text)
{
    const std::wstring wide = ToUtf16(text);
    return BlockOf(wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
}

struct ClipboardBlock {
    UINT format;
    GlobalMemory block;
};

// Puts the blocks on the clipboard, all or none: a paste must not find part
// of a copy. Returns "" or why nothing was copied.
std::string PutOnClipboard(HWND owner, std::vector<ClipboardBlock> blocks)
{
    const OpenedClipboard clipboard(owner);
    if (!clipboard) return "The clipboard is in use by another program; nothing was copied.";
    std::string failure = EmptyClipboard() ? "" : LastErrorText();
    for (ClipboardBlock& put : blocks) {
        if (!failure.empty()) break;
        // The clipboard owns each block it takes.
        if (put.block && SetClipboardData(put.format, put.block.get())) put.block.release();
        else failure = LastErrorText();
    }
    if (!failure.empty()) EmptyClipboard();
    return failure.empty() ? failure : "Nothing was copied: the clipboard took no paths.\n\n" + failure;
}

}  // namespace

UINT PreferredDropEffectFormat()
{
    static const UINT format = RegisterClipboardFormatA("Preferred DropEffect");
    return format;
}

GlobalMemory UnicodeTextBlock(const std::vector<std::string>& paths)
{
    return TextBlock(ListText(paths));
}

GlobalMemory FileListBlock(const std::vector<std::string>& paths)
{
    // DROPFILES, then each name and its NUL, then one more NUL.
    std::wstring names;
    for (const auto& path : paths) names.append(ToUtf16(path)).push_back(L'\0');
    names.push_back(L'\0');
    GlobalMemory block = BlockOf(names.data(), names.size() * sizeof(wchar_t), sizeof(DROPFILES));
    if (auto* header = static_cast<DROPFILES*>(GlobalLock(block.get()))) {
        header->pFiles = sizeof(DROPFILES);
        header->fWide = TRUE;
        GlobalUnlock(block.get());
    }
    return block;
}

GlobalMemory DropEffectBlock(DWORD effect)
{
    return BlockOf(&effect, sizeof(effect));
}

std::string CopyPaths(HWND owner, const std::vector<std::string>& paths)
{
    std::vector<ClipboardBlock> blocks;
    blocks.push_back({CF_UNICODETEXT, UnicodeTextBlock(paths)});
    blocks.push_back({CF_HDROP, FileListBlock(paths)});
    blocks.push_back({PreferredDropEffectFormat(), DropEffectBlock(DROPEFFECT_COPY)});
    return PutOnClipboard(owner, std::move(blocks));
}

std::string CopyText(HWND owner, const std::string& text)
{
    std::vector<ClipboardBlock> blocks;
    blocks.push_back({CF_UNICODETEXT, TextBlock(text)});
    return PutOnClipboard(owner, std::move(blocks));
}

bool ClipboardHasPaths()
{
    return IsClipboardFormatAvailable(CF_HDROP) || IsClipboardFormatAvailable(CF_UNICODETEXT) ||
           IsClipboardFormatAvailable(CF_TEXT);
}

PastedPaths PathsOnClipboard(HWND owner)
{
    PastedPaths pasted;
    const OpenedClipboard clipboard(owner);
    if (!clipboard) {
        pasted.error = "The clipboard is in use by another program; nothing was pasted.";
        return pasted;
    }
    // The system gives 8-bit text as UTF-16 too.
    if (HANDLE files = GetClipboardData(CF_HDROP)) pasted.names = FileListNames(files);
    else if (HANDLE text = GetClipboardData(CF_UNICODETEXT)) ReadText(text, pasted);
    return pasted;
}

bool PastedPaths::LinePath(std::size_t line, std::string& path) const
{
    if (!ToCodePage(lines[line], path)) return false;
    const std::string_view trimmed = PastedLinePath(path);
    path.erase(0, static_cast<std::size_t>(trimmed.data() - path.data())).resize(trimmed.size());
    return true;
}
