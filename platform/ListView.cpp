#include "platform/ListView.h"

#include "platform/CodePage.h"
#include "platform/ImageList.h"
#include "platform/Menu.h"
#include "platform/PathParts.h"
#include "platform/Runtime.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace {

// Posted to the control after entries change while it is shown, so that a run
// of changes costs one update instead of one each.
UINT SyncMessage()
{
    static const UINT message = RegisterWindowMessageA("QuorvelListViewSync");
    return message;
}

// Shift 1, Ctrl 2, Alt 4: from a mouse message's keys, or (0) from the keyboard.
int ShiftState(WPARAM keys)
{
    const bool shift = (keys & MK_SHIFT) || GetKeyState(VK_SHIFT) < 0;
    const bool control = (keys & MK_CONTROL) || GetKeyState(VK_CONTROL) < 0;
    return (shift ? 1 : 0) | (control ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

const std::string kNoText;

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

ListItem::ListItem(ListView* owner, ListModel::Id id)
    : owner_(id == ListModel::kNone ? nullptr : owner), id_(id), generation_(owner ? owner->model_.Generation() : 0)
{
}

int ListItem::Position() const
{
    if (!owner_ || generation_ != owner_->model_.Generation()) return -1;
    return owner_->model_.PositionOf(id_);
}

std::string_view ListItem::Text() const
{
    return Position() >= 0 ? owner_->model_.Text(id_) : std::string_view();
}

const std::string& ListItem::SmallIcon() const
{
    return Position() >= 0 ? owner_->model_.Icon(id_) : kNoText;
}

bool ListItem::Selected() const
{
    const int position = Position();
    if (position < 0 || !owner_->KnownToControl(position)) return false;
    return SendMessageA(owner_->hWnd(), LVM_GETITEMSTATE, static_cast<WPARAM>(position), LVIS_SELECTED) != 0;
}

void ListItem::Selected(bool selected)
{
    const int position = Position();
    if (position < 0) return;
    // Entries the control has not been told about yet are unselected; leaving
    // them so keeps a bulk fill from updating the control once per entry.
    if (!selected && !owner_->KnownToControl(position)) return;
    owner_->SetState(position, selected ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void ListItem::Text(std::string_view text)
{
    if (Position() < 0) return;
    owner_->model_.SetText(id_, text);
    owner_->Changed();
}

void ListItem::SmallIcon(std::string_view key)
{
    if (Position() < 0) return;
    owner_->model_.SetIcon(id_, key);
    owner_->Changed();
}

ListView::ListView() : model_(CompareTextNoCase, UpperCaseUtf8) {}

ListView::~ListView()
{
    if (hWnd() && IsWindow(hWnd())) RemoveWindowSubclass(hWnd(), SubclassProc, 0);
}

void ListView::Create(HWND parent, int id, const Design& design)
{
    const DWORD style = WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHAREIMAGELISTS | LVS_SHOWSELALWAYS;
    Control::Create(parent, id, {WC_LISTVIEWA, "", style, WS_EX_CLIENTEDGE, design.rect});
    model_.Clear();  // a form that is loaded again starts with an empty list
    controlCount_ = 0;
    syncPosted_ = false;
    hidden_ = false;
    controlProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd(), GWLP_WNDPROC));
    SetWindowSubclass(hWnd(), SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    SendMessageA(hWnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP);
    const COLORREF back = TranslateColor(design.backColor);
    SendMessageA(hWnd(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(back));
    SendMessageA(hWnd(), LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(back));
    SendMessageA(hWnd(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(TranslateColor(design.foreColor)));
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(design.columnHeading);
    column.cx = ToPixels(design.rect, DpiOf(hWnd())).width;
    SendMessageA(hWnd(), LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    model_.Sorted(design.sorted);
    ShowSortArrow();
}

ListItem ListView::ListItemCollection::Add()
{
    return Add({}, {});
}

ListItem ListView::ListItemCollection::Add(std::string_view text, std::string_view smallIcon)
{
    const ListModel::Id id = owner_.model_.Append(text, smallIcon);
    owner_.Changed();
    return ListItem(&owner_, id);
}

void ListView::ListItemCollection::Reserve(int more)
{
    if (more > 0) owner_.model_.Reserve(static_cast<std::size_t>(more));
}

int ListView::ListItemCollection::Count() const
{
    return static_cast<int>(owner_.model_.Count());
}

ListItem ListView::ListItemCollection::Item(int index)
{
    if (index < 1 || index > Count()) throw std::out_of_range("list item index out of range");
    owner_.Arrange();
    return owner_.ItemAt(index - 1);
}

void ListView::ColumnHeader::Width(float twips)
{
    SendMessageA(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index_), TwipsToPixels(twips, DpiOf(list_)));
}

ListItem ListView::FindItem(std::string_view text)
{
    return ListItem(this, model_.Find(text));
}

std::vector<ListItem> ListView::SelectedItems()
{
    Arrange();
    return SelectedAsHeld();
}

int ListView::RemoveSelected()
{
    const std::vector<ListItem> selected = SelectedItems();
    if (selected.empty()) return 0;
    const int after = selected.back().Position() + 1 - static_cast<int>(selected.size());
    std::vector<ListModel::Id> ids;
    for (const ListItem& item : selected) ids.push_back(item.id_);
    SetState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    model_.Remove(ids);
    SyncCount();
    const int count = static_cast<int>(model_.Count());
    if (count > 0) {
        const int next = std::min(after, count - 1);
        SetState(next, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        SendMessageA(hWnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(next), FALSE);
    }
    InvalidateRect(hWnd(), nullptr, FALSE);
    return static_cast<int>(selected.size());
}

void ListView::Reselect(const std::function<bool(std::string_view text, bool selected)>& choose)
{
    Arrange();
    std::vector<bool> wanted(static_cast<std::size_t>(controlCount_));
    int changes = 0, selectedAfter = 0;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        const ListModel::Id id = model_.At(i);
        const bool selected = model_.IsSelected(id);
        wanted[i] = choose(model_.Text(id), selected);
        changes += wanted[i] != selected;
        selectedAfter += wanted[i];
    }
    // Each entry changed alone costs a message and a notification; starting
    // from none or all selected, in one change, may leave fewer to change.
    const int unselectedAfter = controlCount_ - selectedAfter;
    if (std::min(selectedAfter, unselectedAfter) < changes - 1)
        SetState(-1, selectedAfter > unselectedAfter ? LVIS_SELECTED : 0, LVIS_SELECTED);
    const bool visible = IsWindowVisible(hWnd()) != FALSE;
    if (visible) SendMessageA(hWnd(), WM_SETREDRAW, FALSE, 0);
    // Straight to the control's own procedure: a message sent goes through the
    // system and the subclass chain (which under Wine asks the server for the
    // window's properties twice), some twenty times the cost of the change.
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (wanted[i] == model_.IsSelected(model_.At(i))) continue;
        item.state = wanted[i] ? LVIS_SELECTED : 0;
        CallWindowProcA(controlProc_, hWnd(), LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&item));
    }
    if (!visible) return;
    SendMessageA(hWnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hWnd(), nullptr, FALSE);
}

std::vector<ListItem> ListView::SelectedAsHeld()
{
    SyncCount();
    // From the model's copy of the selection: asking the control item by item
    // costs some list views a notification per item.
    std::vector<ListItem> selected;
    for (int i = 0; i < controlCount_; ++i)
        if (model_.IsSelected(model_.At(static_cast<std::size_t>(i)))) selected.push_back(ItemAt(i));
    return selected;
}

void ListView::OnSelectionChanged(int from, int to, UINT oldState, UINT newState)
{
    if (!((oldState ^ newState) & LVIS_SELECTED)) return;
    const bool selected = (newState & LVIS_SELECTED) != 0;
    if (from < 0) {  // every item
        model_.SelectAll(selected);
        return;
    }
    for (int i = from; i <= to && i < static_cast<int>(model_.Count()); ++i)
        model_.Select(model_.At(static_cast<std::size_t>(i)), selected);
}

ListItem ListView::HitTest(float x, float y)
{
    Arrange();
    const int dpi = DpiOf(hWnd());
    LVHITTESTINFO hit{};
    hit.pt = {TwipsToPixels(x, dpi), TwipsToPixels(y, dpi)};
    const int position = static_cast<int>(SendMessageA(hWnd(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (position < 0 || !(hit.flags & LVHT_ONITEM)) return ListItem();
    return ItemAt(position);
}

void ListView::SortOrder(int order)
{
    model_.SortOrder(order);
    ShowSortArrow();
    Arrange();
}

void ListView::SmallIcons(ImageList& images)
{
    smallIcons_ = &images;
    SendMessageA(hWnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images.HandleAsIs()));
}

void ListView::Visible(bool visible)
{
    // Hidden, the list stops redrawing too: emptied and filled again meanwhile,
    // as a new listing does, it does not take its scroll bars away and back.
    if (!visible) {
        Control::Visible(false);
        if (!std::exchange(hidden_, true)) SendMessageA(hWnd(), WM_SETREDRAW, FALSE, 0);
        return;
    }
    Arrange();
    if (!std::exchange(hidden_, false)) {
        Control::Visible(true);
        return;
    }
    SendMessageA(hWnd(), WM_SETREDRAW, TRUE, 0);
    // Where the default handling of WM_SETREDRAW has marked the list visible
    // (a list view may pass the message on to it; Wine's does not), showing it
    // would do nothing: it is redrawn whole instead.
    if (GetWindowLongPtrA(hWnd(), GWL_STYLE) & WS_VISIBLE)
        RedrawWindow(hWnd(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
    else
        Control::Visible(true);
}

void ListView::Move(float left, float top, float width, float height)
{
    const PixelRect px = ToPixels({left, top, width, height}, DpiOf(hWnd()));
    SetWindowPos(hWnd(), nullptr, px.left, px.top, px.width, px.height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ListView::DpiChanged(int dpi)
{
    Control::DpiChanged(dpi);
    ImagesResized();  // rows take their height from the font and the images again
}

void ListView::ImagesResized()
{
    if (smallIcons_) SendMessageA(hWnd(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(smallIcons_->HandleAsIs()));
}

void ListView::Refresh()
{
    Arrange();
    InvalidateRect(hWnd(), nullptr, TRUE);
    UpdateWindow(hWnd());
    unshown_ = false;
}

LRESULT ListView::OnNotify(NMHDR& header)
{
    switch (header.code) {
    case LVN_GETDISPINFOA:
        OnGetDispInfo(reinterpret_cast<NMLVDISPINFOA&>(header));
        return 0;
    case LVN_GETINFOTIPA:
    case LVN_GETINFOTIPW:
        OnGetInfoTip(reinterpret_cast<NMLVGETINFOTIPA&>(header), header.code == LVN_GETINFOTIPW);
        return 0;
    case NM_CLICK: {
        const int position = reinterpret_cast<NMITEMACTIVATE&>(header).iItem;
        if (position >= 0 && ItemClick) ItemClick(ItemAt(position));
        return 0;
    }
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if (change.uChanged & LVIF_STATE) OnSelectionChanged(change.iItem, change.iItem, change.uOldState, change.uNewState);
        return 0;
    }
    case LVN_ODSTATECHANGED: {
        const auto& change = reinterpret_cast<NMLVODSTATECHANGE&>(header);
        OnSelectionChanged(change.iFrom, change.iTo, change.uOldState, change.uNewState);
        return 0;
    }
    case LVN_BEGINDRAG:
        if (BeginDrag) BeginDrag();
        return 0;
    case LVN_DELETEALLITEMS:
        return TRUE;  // the entries go with the model: no notice per entry
    case LVN_ODFINDITEMA:
    case LVN_ODFINDITEMW:
        return OnFindItem(reinterpret_cast<NMLVFINDITEMA&>(header), header.code == LVN_ODFINDITEMW);
    case LVN_COLUMNCLICK:
        if (ColumnClick) ColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem + 1);
        return 0;
    default:
        return 0;
    }
}

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

int ListView::OnFindItem(const NMLVFINDITEMA& find, bool wide)
{
    // Typing in the list searches the shown texts; only a string search has
    // something to match. Some list views ask in UTF-16 even of an 8-bit parent.
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
    std::string text = find.lvfi.psz;
    if (wide && !ToCodePage(reinterpret_cast<const wchar_t*>(find.lvfi.psz), text)) return -1;
    Arrange();
    const bool partial = (find.lvfi.flags & LVFI_PARTIAL) != 0;
    const bool wrap = (find.lvfi.flags & LVFI_WRAP) != 0;
    return model_.FindFrom(text, find.iStart, partial, wrap);
}

LRESULT CALLBACK ListView::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR data)
{
    // Handlers run from here (mouse and keyboard events): as in a form, a
    // failing handler ends that event only, says why, and never unwinds into
    // the system.
    try {
        return reinterpret_cast<ListView*>(data)->WindowProc(message, wParam, lParam);
    } catch (...) {
        ReportFailure(GetAncestor(hwnd, GA_ROOT));
        return 0;
    }
}

LRESULT ListView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case LVM_DELETEALLITEMS:  // the control empties itself; so does the model
        model_.Clear();
        controlCount_ = 0;
        break;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return OnPaint(message, wParam, lParam);
    case LVM_GETITEMA:
    case LVM_GETITEMW:
    case LVM_GETITEMTEXTA:
    case LVM_GETITEMTEXTW:  // asked for, an entry's text is whole, even in the middle of a paint
        SyncCount();
        return PassOn(std::nullopt, message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        return OnMouseDown(message, wParam, lParam);
    case WM_KEYDOWN:
    case WM_CHAR:
        return OnKey(message, wParam, lParam);
    case LVM_SETITEMSTATE:
        if (wParam == static_cast<WPARAM>(-1)) return OnSetAllStates(lParam);
        break;
    }
    if (message == SyncMessage()) return OnSync();
    // Whoever asks the control about its items gets every entry the model has.
    if (message >= LVM_FIRST && message < LVM_FIRST + 0x100 && !syncing_) SyncCount();
    return DefSubclassProc(hWnd(), message, wParam, lParam);
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

LRESULT ListView::OnSync()
{
    syncPosted_ = false;
    Arrange();
    // A Refresh since the changes has shown them already.
    if (std::exchange(unshown_, false)) InvalidateRect(hWnd(), nullptr, FALSE);
    return 0;
}

LRESULT ListView::OnMouseDown(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int button = message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4;
    const int dpi = DpiOf(hWnd());
    const int menusBefore = Menu::TimesShown();
    if (MouseDown) {
        MouseDown(button, ShiftState(wParam), PixelsToTwips(GET_X_LPARAM(lParam), dpi),
                  PixelsToTwips(GET_Y_LPARAM(lParam), dpi));
    }
    // A menu opened by the handler has taken this click.
    if (Menu::TimesShown() != menusBefore) return 0;
    return DefSubclassProc(hWnd(), message, wParam, lParam);
}

LRESULT ListView::OnSetAllStates(LPARAM item)
{
    // Some list views repaint each item they change; one repaint of the whole
    // list afterwards is all that a change of every item needs. A hidden list
    // paints nothing, and WM_SETREDRAW would show it on some systems.
    SyncCount();
    if (!IsWindowVisible(hWnd())) return DefSubclassProc(hWnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), item);
    SendMessageA(hWnd(), WM_SETREDRAW, FALSE, 0);
    const LRESULT result = DefSubclassProc(hWnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), item);
    SendMessageA(hWnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hWnd(), nullptr, FALSE);
    return result;
}

LRESULT ListView::OnKey(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN && KeyDown && KeyDown(static_cast<int>(wParam), ShiftState(0))) return 0;
    // Moving to an entry with the keyboard (arrows, or typing its first
    // letters) counts as clicking it.
    const int before = FocusedPosition();
    const LRESULT result = DefSubclassProc(hWnd(), message, wParam, lParam);
    const int after = FocusedPosition();
    if (after >= 0 && after != before && ItemClick) ItemClick(ItemAt(after));
    return result;
}

ListItem ListView::ItemAt(int position)
{
    return ListItem(this, model_.At(static_cast<std::size_t>(position)));
}

int ListView::FocusedPosition() const
{
    return static_cast<int>(SendMessageA(hWnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

void ListView::SetState(int position, UINT state, UINT mask)
{
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    SendMessageA(hWnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
}

void ListView::Changed()
{
    unshown_ = true;
    if (syncPosted_ || hidden_ || !IsWindowVisible(hWnd())) return;
    syncPosted_ = PostMessageA(hWnd(), SyncMessage(), 0, 0) != FALSE;
}

void ListView::SyncCount()
{
    const int count = static_cast<int>(model_.Count());
    if (count == controlCount_) return;
    syncing_ = true;
    SendMessageA(hWnd(), LVM_SETITEMCOUNT, static_cast<WPARAM>(count), LVSICF_NOSCROLL);
    syncing_ = false;
    controlCount_ = count;
}

void ListView::Arrange()
{
    SyncCount();
    if (!model_.NeedsArranging()) return;
    // The control keeps selection and focus by position: carry them to where
    // their entries move.
    const std::vector<ListItem> selected = SelectedAsHeld();
    const int focused = FocusedPosition();
    const std::vector<int> from = model_.Arrange();
    std::vector<int> to(from.size());
    for (std::size_t i = 0; i < from.size(); ++i) to[static_cast<std::size_t>(from[i])] = static_cast<int>(i);
    if (!selected.empty() || focused >= 0) {
        SetState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (!selected.empty() && static_cast<int>(selected.size()) == controlCount_)
            SetState(-1, LVIS_SELECTED, LVIS_SELECTED);  // all of them, in one change
        else
            for (const ListItem& item : selected) SetState(item.Position(), LVIS_SELECTED, LVIS_SELECTED);
        if (focused >= 0) SetState(to[static_cast<std::size_t>(focused)], LVIS_FOCUSED, LVIS_FOCUSED);
    }
    InvalidateRect(hWnd(), nullptr, FALSE);
}

void ListView::ShowSortArrow()
{
    HWND header = reinterpret_cast<HWND>(SendMessageA(hWnd(), LVM_GETHEADER, 0, 0));
    HDITEMA column{};
    column.mask = HDI_FORMAT;
    if (!header || !SendMessageA(header, HDM_GETITEMA, 0, reinterpret_cast<LPARAM>(&column))) return;
    column.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (model_.Sorted()) column.fmt |= model_.SortOrder() == 0 ? HDF_SORTUP : HDF_SORTDOWN;
    SendMessageA(header, HDM_SETITEMA, 0, reinterpret_cast<LPARAM>(&column));
}
