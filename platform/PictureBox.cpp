#include "platform/PictureBox.h"

#include "platform/Runtime.h"

namespace {

const char kClassName[] = "QuorvelPictureBox";

Bitmap CreateImageBitmap(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return Bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

void RegisterPictureBoxClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = App.hInstance();
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kClassName;
        return RegisterClassA(&windowClass) != 0;
    }();
    (void)registered;
}

}  // namespace

void PictureBox::Create(HWND parent, int id, const TwipRect& rect, std::uint32_t backColor)
{
    RegisterPictureBoxClass(WindowProc);
    Control::Create(parent, id, {kClassName, "", 0, 0, rect});
    backColor_ = TranslateColor(backColor);
    MakeImage();
}

void PictureBox::DpiChanged(int dpi)
{
    Control::DpiChanged(dpi);
    MakeImage();
}

// An image of the window's client size, cleared to the back colour.
void PictureBox::MakeImage()
{
    RECT client{};
    GetClientRect(hWnd(), &client);
    width_ = client.right > 0 ? client.right : 1;
    height_ = client.bottom > 0 ? client.bottom : 1;
    image_.reset();  // the DC goes before the bitmap it holds
    bitmap_ = CreateImageBitmap(width_, height_);
    image_.reset(CreateCompatibleDC(nullptr));
    SelectObject(image_.get(), bitmap_.get());
    Clear();
}

void PictureBox::BackColor(std::uint32_t color)
{
    backColor_ = TranslateColor(color);
    Clear();
}

void PictureBox::Picture(const ::Picture& picture)
{
    Clear();
    if (picture.Empty()) return;
    MemoryDc source(CreateCompatibleDC(image_.get()));
    SelectedObject selected(source.get(), picture.Handle());
    BitBlt(image_.get(), 0, 0, width_, height_, source.get(), 0, 0, SRCCOPY);
}

::Picture PictureBox::Image() const
{
    Bitmap copy = CreateImageBitmap(width_, height_);
    if (copy) {
        MemoryDc target(CreateCompatibleDC(image_.get()));
        SelectedObject selected(target.get(), copy.get());
        BitBlt(target.get(), 0, 0, width_, height_, image_.get(), 0, 0, SRCCOPY);
    }
    return ::Picture(std::move(copy));
}

void PictureBox::Clear()
{
    Brush brush(CreateSolidBrush(backColor_));
    const RECT all{0, 0, width_, height_};
    FillRect(image_.get(), &all, brush.get());
    InvalidateRect(hWnd(), nullptr, FALSE);
}

void PictureBox::Paint()
{
    PAINTSTRUCT paint;
    if (HDC dc = BeginPaint(hWnd(), &paint)) {
        BitBlt(dc, 0, 0, width_, height_, image_.get(), 0, 0, SRCCOPY);
        EndPaint(hWnd(), &paint);
    }
}

LRESULT CALLBACK PictureBox::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (Control::Reflect(message, wParam, lParam, result)) return result;
    auto* self = reinterpret_cast<PictureBox*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the image covers the whole window
    case WM_PAINT:
        if (self) {
            self->Paint();
            return 0;
        }
        break;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}
