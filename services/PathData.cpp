#include "services/PathData.h"

#include "platform/CodePage.h"
#include "services/ListFile.h"
#include "services/ListText.h"

#include <cstring>

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

// Clipboard history, remote desktop and clipboard managers open the clipboard
// for a moment after every change: it is asked for again for about half a second.
bool OpenClipboardPatiently(HWND owner)
{
    const DWORD start = GetTickCount();
    while (!OpenClipboard(owner)) {
        if (GetTickCount() - start >= 500) return false;
        Sleep(20);
    }
    return true;
}

}  // namespace

UINT PreferredDropEffectFormat()
{
    static const UINT format = RegisterClipboardFormatA("Preferred DropEffect");
    return format;
}

GlobalMemory UnicodeTextBlock(const std::vector<std::string>& paths)
{
    const std::wstring text = ToUtf16(ListText(paths));
    return BlockOf(text.c_str(), (text.size() + 1) * sizeof(wchar_t));
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
    if (!OpenClipboardPatiently(owner)) return "The clipboard is in use by another program; nothing was copied.";
    std::string failure = EmptyClipboard() ? "" : LastErrorText();
    // The clipboard owns each block it takes.
    const auto put = [&failure](UINT format, GlobalMemory block) {
        if (!failure.empty()) return;
        if (block && SetClipboardData(format, block.get())) block.release();
        else failure = LastErrorText();
    };
    put(CF_UNICODETEXT, UnicodeTextBlock(paths));
    put(CF_HDROP, FileListBlock(paths));
    put(PreferredDropEffectFormat(), DropEffectBlock(DROPEFFECT_COPY));
    // All three shapes or none: a paste must not find part of a copy.
    if (!failure.empty()) EmptyClipboard();
    CloseClipboard();
    return failure.empty() ? failure : "Nothing was copied: the clipboard took no paths.\n\n" + failure;
}
