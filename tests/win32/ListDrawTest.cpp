// How the list draws an entry too wide for its column, and the tip that then
// gives it whole.
#include "TestSupport.h"
#include "common/ClientPicture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

const std::string kStart = "C:\\Quorvel";
const std::string kName = "settings.ini";
const std::string kLong = kStart + "\\a folder with a rather long name\\and one more below it\\" + kName;

// A list too narrow for kLong, holding kLong, kName and kStart.
class ListDraw : public testing::Test {
protected:
    void SetUp() override
    {
        host.Show();
        for (const std::string& text : {kLong, kName, kStart}) host.LV.ListItems.Add(text, "");
        Pump();
        SendMessageA(List(), LVM_SETCOLUMNWIDTH, 0, 200);
    }
    HWND List() { return host.LV.hWnd(); }

    ListHost host;
};

using Columns = std::vector<std::vector<COLORREF>>;

// An entry's label as the list draws it, column by column, from its first to
// its last column with anything but the background in it.
Columns DrawnText(HWND list, int position)
{
    const ClientPicture picture(list);
    picture.Print(list);
    RECT label{LVIR_LABEL, 0, 0, 0};
    SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&label));
    const COLORREF background = GetPixel(picture.Dc(), label.left, label.top);
    Columns columns;
    for (int x = label.left; x < label.right; ++x) {
        columns.emplace_back();
        for (int y = label.top; y < label.bottom; ++y) columns.back().push_back(GetPixel(picture.Dc(), x, y));
    }
    const auto blank = [&](const std::vector<COLORREF>& column) {
        return std::all_of(column.begin(), column.end(), [&](COLORREF pixel) { return pixel == background; });
    };
    while (!columns.empty() && blank(columns.back())) columns.pop_back();
    columns.erase(columns.begin(), std::find_if_not(columns.begin(), columns.end(), blank));
    return columns;
}

// The texts a list's parent gives the control to draw its rows, by row.
class TextsGivenToDraw {
public:
    explicit TextsGivenToDraw(HWND parent) : parent_(parent)
    {
        SetWindowSubclass(parent, Capture, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~TextsGivenToDraw() { RemoveWindowSubclass(parent_, Capture, 1); }
    std::map<int, std::string> texts;

private:
    static LRESULT CALLBACK Capture(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self)
    {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (message != WM_NOTIFY) return result;
        const auto& info = *reinterpret_cast<const NMLVDISPINFOA*>(lParam);
        if (info.hdr.code == LVN_GETDISPINFOA && (info.item.mask & LVIF_TEXT) && info.item.pszText)
            reinterpret_cast<TextsGivenToDraw*>(self)->texts[info.item.iItem] = info.item.pszText;
        return result;
    }
    HWND parent_;
};

int TextWidth(HWND list, const std::string& text)
{
    const WindowDc dc(list);
    SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

TEST_F(ListDraw, AnEntryLongerThanTheControlsBufferIsShortenedInTheMiddleKeepingItsEnd)
{
    std::string folders;
    while (folders.size() < 400) folders += "\\part " + std::to_string(folders.size());
    std::string wideName;  // 255 characters of three bytes each
    for (int i = 0; i < 251; ++i) wideName += "\xE6\x97\xA5";
    const struct {
        std::string path, end;  // the end the drawn text keeps
    } cases[] = {
        {kStart + folders + "\\" + kName, "\\" + kName},
        {kStart + "\\" + wideName + ".txt", wideName.substr(wideName.size() - 150) + ".txt"},
    };
    for (const auto& c : cases) {
        SendMessageA(List(), LVM_DELETEALLITEMS, 0, 0);
        host.LV.ListItems.Add(c.path, "");
        Pump();
        // Room for most of the path, far more than the control's buffer holds.
        SendMessageA(List(), LVM_SETCOLUMNWIDTH, 0, TextWidth(List(), c.path.substr(0, c.path.size() * 7 / 8)));
        const TextsGivenToDraw given(host.hWnd());
        ClientPicture(List()).Print(List());
        ASSERT_EQ(given.texts.count(0), 1u);
        const std::string& drawn = given.texts.at(0);
        EXPECT_LT(drawn.size(), 260u) << drawn;
        EXPECT_EQ(drawn.substr(0, kStart.size()), kStart);
        ASSERT_GE(drawn.size(), c.end.size()) << drawn;
        EXPECT_EQ(drawn.substr(drawn.size() - c.end.size()), c.end) << drawn;
        EXPECT_EQ(ItemText(List(), 0), c.path);
    }
}

TEST_F(ListDraw, LongEntryIsDrawnWithItsStartAndWholeFileNameWhileItsTextStaysWhole)
{
    const Columns drawn = DrawnText(List(), 0), name = DrawnText(List(), 1), start = DrawnText(List(), 2);
    ASSERT_FALSE(name.empty());
    ASSERT_GE(drawn.size(), start.size());
    EXPECT_TRUE(std::equal(start.begin(), start.end(), drawn.begin())) << "the path's start";
    EXPECT_NE(std::search(drawn.begin() + static_cast<long>(start.size()), drawn.end(), name.begin(), name.end()),
              drawn.end())
        << "the whole file name, after the start";
    EXPECT_EQ(ItemText(List(), 0), kLong);
}

TEST_F(ListDraw, TipOfAShortenedEntryIsItsWholeTextAndOtherEntriesHaveNone)
{
    for (const UINT code : {LVN_GETINFOTIPA, LVN_GETINFOTIPW}) {
        for (const int position : {0, 1}) {
            wchar_t buffer[512] = {};
            NMLVGETINFOTIPW tip{};
            tip.hdr = {List(), static_cast<UINT_PTR>(GetDlgCtrlID(List())), code};
            tip.pszText = buffer;
            tip.cchTextMax = 512;
            tip.iItem = position;
            SendMessageA(host.hWnd(), WM_NOTIFY, tip.hdr.idFrom, reinterpret_cast<LPARAM>(&tip));
            const std::string expected = position == 0 ? kLong : "";
            if (code == LVN_GETINFOTIPW)
                EXPECT_EQ(std::wstring(buffer), std::wstring(expected.begin(), expected.end())) << position;
            else
                EXPECT_EQ(std::string(reinterpret_cast<const char*>(buffer)), expected) << position;
        }
    }
}
