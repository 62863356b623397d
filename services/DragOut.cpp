#include "services/DragOut.h"

#include "services/PathData.h"

#include <memory>

namespace {

// Reference counting shared by the two small COM objects below.
template <class Interface>
class ComObject : public Interface {
public:
    virtual ~ComObject() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object) return E_POINTER;
        if (id == IID_IUnknown || id == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0) delete this;
        return left;
    }

private:
    ULONG references_ = 1;
};

class PathDataObject : public ComObject<IDataObject> {
public:
    explicit PathDataObject(std::vector<std::string> paths) : paths_(std::move(paths)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override
    {
        if (!format || !medium) return E_POINTER;
        if (QueryGetData(format) != S_OK) return DV_E_FORMATETC;
        GlobalMemory block;
        // Nothing may be thrown back into the system's drag loop or the receiver.
        try {
            block = format->cfFormat == CF_UNICODETEXT ? UnicodeTextBlock(paths_)
                    : format->cfFormat == CF_HDROP     ? FileListBlock(paths_)
                                                       : DropEffectBlock(DROPEFFECT_COPY);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
        if (!block) return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block.release();  // the receiver frees it
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override
    {
        if (!format) return E_POINTER;
        if (!(format->tymed & TYMED_HGLOBAL) || format->dwAspect != DVASPECT_CONTENT) return DV_E_FORMATETC;
        const CLIPFORMAT id = format->cfFormat;
        return id == CF_UNICODETEXT || id == CF_HDROP || id == PreferredDropEffectFormat() ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        if (!out) return E_POINTER;
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override
    {
        if (!formats) return E_POINTER;
        if (direction != DATADIR_GET) return E_NOTIMPL;
        FORMATETC offered[3] = {
            {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
            {CF_UNICODETEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL},
            {static_cast<CLIPFORMAT>(PreferredDropEffectFormat()), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}};
        return SHCreateStdEnumFmtEtc(3, offered, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::vector<std::string> paths_;
};

// What one turn of the drag loop comes to.
struct DragTurn {
    enum Kind { Go, Cancel, DropOut, MoveInside } kind;
    int position;  // where the insertion mark shows (Go) or the entries go (MoveInside); else -1
};

// The turn, from the keys held and where the pointer is: at an insertion
// point of the list the drag came from (-1 when not over it), and
// whether over the window that list is in.
DragTurn NextDragTurn(bool escape, DWORD keys, int insertionPoint, bool overOrigin)
{
    // The drag runs with the left button. Esc or the right button cancels it,
    // as in the shell; so does letting go over the window it came from outside
    // the list, which would otherwise take its own entries in again as files.
    if (escape || (keys & MK_RBUTTON)) return {DragTurn::Cancel, -1};
    if (keys & MK_LBUTTON) return {DragTurn::Go, insertionPoint};
    if (insertionPoint >= 0) return {DragTurn::MoveInside, insertionPoint};
    return {overOrigin ? DragTurn::Cancel : DragTurn::DropOut, -1};
}

class PathDropSource : public ComObject<IDropSource> {
public:
    explicit PathDropSource(ListView& from)
        : list_(from), window_(GetAncestor(from.hWnd(), GA_ROOT)), movesInside_(static_cast<bool>(from.DropInside))
    {
    }

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        // Nothing may be thrown back into the system's drag loop: a turn that
        // fails cancels the drag.
        DragTurn turn{DragTurn::Cancel, -1};
        try {
            POINT pointer{};
            // Where the pointer is unknown, nothing of this program is under it.
            const bool known = GetCursorPos(&pointer) != FALSE;
            turn = NextDragTurn(escape != FALSE, keys, known && movesInside_ ? list_.InsertionPoint(pointer) : -1,
                                known && OverWindow(pointer));
            list_.InsertMark(turn.kind == DragTurn::Go ? turn.position : -1);
        } catch (...) {
            turn = {DragTurn::Cancel, -1};
        }
        marked_ = turn.kind == DragTurn::Go && turn.position >= 0;
        if (turn.kind == DragTurn::MoveInside) movedTo_ = turn.position;
        return turn.kind == DragTurn::Go ? S_OK : turn.kind == DragTurn::DropOut ? DRAGDROP_S_DROP : DRAGDROP_S_CANCEL;
    }
    // Over the list the entries move, whatever the window under says of files dropped there.
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override
    {
        if (!marked_) return DRAGDROP_S_USEDEFAULTCURSORS;
        SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        return S_OK;
    }
    int MovedTo() const { return movedTo_; }

private:
    bool OverWindow(POINT pointer) const
    {
        const HWND under = WindowFromPoint(pointer);
        return under && GetAncestor(under, GA_ROOT) == window_;
    }

    ListView& list_;
    HWND window_;
    // Only a list that takes its entries moved shows where they would go; over
    // another, as over the rest of its window, letting go does nothing.
    bool movesInside_;
    bool marked_ = false;  // the insertion mark shows
    int movedTo_ = -1;
};

}  // namespace

IDataObject* NewPathDataObject(const std::vector<std::string>& paths)
{
    return new PathDataObject(paths);
}

IDropSource* NewPathDropSource(ListView& from)
{
    return new PathDropSource(from);
}

int DragPaths(ListView& from, const std::vector<std::string>& paths)
{
    // Released on every way out, a failed allocation of the second included.
    const auto release = [](IUnknown* object) { object->Release(); };
    const std::unique_ptr<IDataObject, decltype(release)> data(NewPathDataObject(paths), release);
    const std::unique_ptr<PathDropSource, decltype(release)> source(new PathDropSource(from), release);
    DWORD effect = DROPEFFECT_NONE;
    // A drag that fails to start, is cancelled or drops out moves nothing:
    // only the last turn over the list sets where the entries go.
    DoDragDrop(data.get(), source.get(), kDragEffects, &effect);
    from.InsertMark(-1);  // a loop ended by the system, not by a last turn, may leave it
    return source->MovedTo();
}
