// Drawing the rows: a path too wide for its row, or too long for the
// control's buffer, is drawn shortened in the middle, keeping its file name;
// whoever asks for a text otherwise (a screen reader, a tip) reads it whole.
#include "platform/ListView.h"

#include "platform/CodePage.h"
#include "platform/ImageList.h"
#include "platform/PathParts.h"
#include "platform/Runtime.h"

#include <algorithm>
#include <cstring>

namespace {

// The start of a character nearest to a byte of the text: at or before it, or
// at or after it; the text's end counts as a start.
std::size_t CharacterStart(std::string_view text, std::size_t at, bool after)
{
    if (GetACP() == CP_UTF8) {
        const auto continues = [&](std::size_t i) { return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80; };
        if (after)
            while (at < text.size() && continues(at)) ++at;
        else
            while (at > 0 && at < text.size() && continues(at)) --at;
        return at;
    }
    const std::string whole(text);  // CharNextExA needs the terminator
    const char* start = whole.c_str();
    for (const char* next; static_cast<std::size_t>(start - whole.c_str()) < at &&
                           (next = CharNextExA(CP_ACP, start, 0)) != start;) {
        if (!after && static_cast<std::size_t>(next - whole.c_str()) > at) break;
        start = next;
    }
    return static_cast<std::size_t>(start - whole.c_str());
}

// Copies as much of the text as the buffer holds with its terminator, never
// half of a character that takes several bytes.
void CopyWholeCharacters(std::string_view text, char* buffer, std::size_t room)
{
    const std::size_t length = text.size() < room ? text.size() : CharacterStart(text, room - 1, false);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

// The bytes a list view gives a row's text to be drawn in, Windows' and Wine's alike.
constexpr std::size_t kDrawnTextRoom = 260;

// A text shortened in the middle to fit `room` bytes with its terminator:
// its start, an ellipsis and its whole file name; where the name alone is too
// long, the path's start up to the name (at most half the room) and as much of
// the name's end as fits.
std::string ShortenedToBytes(std::string_view text, std::size_t room)
{
    constexpr std::string_view kEllipsis = "...";
    if (text.size() < room || room <= kEllipsis.size() + 1) return std::string(text);
    const std::size_t keep = room - 1 - kEllipsis.size();
    const std::size_t nameStart = NameStart(text);
    const std::size_t name = nameStart == 0 ? 0 : nameStart - 1;  // with its backslash
    const std::size_t nameLength = text.size() - name;
    const std::size_t head =
        CharacterStart(text, nameLength <= keep ? keep - nameLength : std::min(name, keep / 2), false);
    const std::size_t tail = CharacterStart(text, text.size() - (keep - head), true);
    return std::string(text.substr(0, head)).append(kEllipsis).append(text.substr(tail));
}

void CopyWholeCharacters(std::wstring_view text, wchar_t* buffer, std::size_t room)
{
    std::size_t length = std::min(text.size(), room - 1);
    if (length < text.size() && length > 0 && IS_HIGH_SURROGATE(text[length - 1])) --length;
    text.copy(buffer, length);
    buffer[length] = L'\0';
}

// Pixels between the label's edges and the widest text the control draws in it
// without cutting it short itself.
int LabelMargin(int dpi)
{
    return MulDiv(12, dpi, 96);
}

}  // namespace

void ListView::OnGetDispInfo(NMLVDISPINFOA& info)
{
    LVITEMA& item = info.item;
    if (item.iItem < 0 || static_cast<std::size_t>(item.iItem) >= model_.Count()) return;
    const ListModel::Id id = model_.At(static_cast<std::size_t>(item.iItem));
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const std::string_view text = model_.Text(id);
        const std::size_t room = static_cast<std::size_t>(item.cchTextMax);
        if (drawing_ && item.iSubItem == 0)
            CopyWholeCharacters(Fitted(text, *drawing_, room), item.pszText, room);
        else
            CopyWholeCharacters(text, item.pszText, room);
    }
    if (item.mask & LVIF_IMAGE) {
        const int image = smallIcons_ ? smallIcons_->IndexOf(model_.Icon(id)) : -1;
        item.iImage = image >= 0 ? image : I_IMAGENONE;
    }
}

void ListView::OnGetInfoTip(NMLVGETINFOTIPA& tip, bool wide)
{
    // Only a shortened entry has a tip: its whole text.
    if (tip.iItem < 0 || static_cast<std::size_t>(tip.iItem) >= model_.Count() || !tip.pszText || tip.cchTextMax <= 0)
        return;
    const std::string_view text = model_.Text(model_.At(static_cast<std::size_t>(tip.iItem)));
    const std::optional<TextRoom> fits = Room();
    if (!fits || Fitted(text, *fits, kDrawnTextRoom) == text) return;
    const std::size_t room = static_cast<std::size_t>(tip.cchTextMax);
    if (wide)
        CopyWholeCharacters(ToUtf16(text), reinterpret_cast<wchar_t*>(tip.pszText), room);
    else
        CopyWholeCharacters(text, tip.pszText, room);
}

std::optional<ListView::TextRoom> ListView::Room()
{
    RECT label{LVIR_LABEL, 0, 0, 0};
    if (!SendMessageA(hWnd(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label))) return std::nullopt;
    const auto font = reinterpret_cast<HGDIOBJ>(SendMessageA(hWnd(), WM_GETFONT, 0, 0));
    return TextRoom{label.right - label.left - LabelMargin(DpiOf(hWnd())), font ? font : GetStockObject(DEFAULT_GUI_FONT)};
}

std::string ListView::Fitted(std::string_view text, const TextRoom& room, std::size_t bytes) const
{
    WindowDc dc(hWnd());
    SelectedObject selected(dc.get(), room.font);
    SIZE whole{};
    std::string fitted(text);
    // Most entries fit, and one measure of them costs far less than shortening.
    if (!GetTextExtentPoint32A(dc.get(), fitted.c_str(), static_cast<int>(text.size()), &whole) ||
        whole.cx > room.width) {
        RECT rect{0, 0, room.width, 0};
        fitted.append(4, '\0');  // room for the ellipsis that DT_MODIFYSTRING may add
        DrawTextExA(dc.get(), &fitted[0], static_cast<int>(text.size()), &rect,
                    DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS | DT_MODIFYSTRING, nullptr);
        fitted.resize(std::strlen(fitted.c_str()));
    }
    // Copied into a buffer too short for it, the text would lose its end, and with it the file name.
    return fitted.size() < bytes ? fitted : ShortenedToBytes(text, bytes);
}

LRESULT ListView::OnPaint(UINT message, WPARAM wParam, LPARAM lParam)
{
    Arrange();
    // Measured once a paint: each message to the control passes through its
    // subclass, which costs as much as drawing a row.
    return PassOn(Room(), message, wParam, lParam);
}

// The control asks for texts to draw them only while it paints; whoever else
// asks, meanwhile too, reads them.
LRESULT ListView::PassOn(std::optional<TextRoom> drawing, UINT message, WPARAM wParam, LPARAM lParam)
{
    const std::optional<TextRoom> outer = std::exchange(drawing_, drawing);
    const LRESULT result = DefSubclassProc(hWnd(), message, wParam, lParam);
    drawing_ = outer;
    return result;
}
