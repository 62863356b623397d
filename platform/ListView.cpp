#include "platform/ListView.h"

#include "platform/CodePage.h"
#include "platform/ImageList.h"
#include "platform/Menu.h"
#include "platform/Runtime.h"

#include <windowsx.h>

#include <algorithm>
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
    // Accessibility names a list by its window text, which a list view never
    // draws: Wine's only by it, Windows' by it or a label before the list,
    // and these lists have none.
    Control::Create(parent, id, {WC_LISTVIEWA, design.accessibleName, style, WS_EX_CLIENTEDGE, design.rect});
    model_.Clear();  // a form that is loaded again starts with an empty list, and no history
    model_.StartHistory();
    controlCount_ = 0;
    insertMark_ = -1;
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
    case NM_CUSTOMDRAW:
        return OnCustomDraw(reinterpret_cast<NMCUSTOMDRAW&>(header));
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
    case WM_SYSKEYDOWN:  // a key pressed with Alt
    case WM_CHAR:
        return OnKey(message, wParam, lParam);
    case LVM_SETITEMSTATE:
        if (wParam == static_cast<WPARAM>(-1)) return OnSetAllStates(lParam);
        break;
    case LVM_SETINSERTMARK:
        return OnSetInsertMark(*reinterpret_cast<const LVINSERTMARK*>(lParam));
    case LVM_GETINSERTMARK:
        return OnGetInsertMark(*reinterpret_cast<LVINSERTMARK*>(lParam));
    }
    if (message == SyncMessage()) return OnSync();
    // Whoever asks the control about its items gets every entry the model has.
    if (message >= LVM_FIRST && message < LVM_FIRST + 0x100 && !syncing_) SyncCount();
    return DefSubclassProc(hWnd(), message, wParam, lParam);
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

LRESULT ListView::OnKey(UINT message, WPARAM wParam, LPARAM lParam)
{
    const bool keyDown = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
    if (keyDown && KeyDown && KeyDown(static_cast<int>(wParam), ShiftState(0))) return 0;
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
