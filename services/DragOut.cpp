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

class PathDropSource : public ComObject<IDropSource> {
public:
    explicit PathDropSource(HWND from) : from_(GetAncestor(from, GA_ROOT)) {}

    // The drag runs with the left button. Esc or the right button cancels it,
    // as in the shell; so does letting go over the window it came from, which
    // would otherwise take its own entries in again as dropped files.
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape || (keys & MK_RBUTTON)) return DRAGDROP_S_CANCEL;
        if (keys & MK_LBUTTON) return S_OK;
        return OverOrigin() ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    bool OverOrigin() const
    {
        POINT pointer{};
        if (!GetCursorPos(&pointer)) return false;  // where it is unknown the drop goes ahead, as the system's own would
        const HWND under = WindowFromPoint(pointer);
        return under && GetAncestor(under, GA_ROOT) == from_;
    }

    HWND from_;
};

}  // namespace

IDataObject* NewPathDataObject(const std::vector<std::string>& paths)
{
    return new PathDataObject(paths);
}

IDropSource* NewPathDropSource(HWND from)
{
    return new PathDropSource(from);
}

DWORD DragPaths(HWND from, const std::vector<std::string>& paths)
{
    // Released on every way out, a failed allocation of the second included.
    const auto release = [](IUnknown* object) { object->Release(); };
    const std::unique_ptr<IDataObject, decltype(release)> data(NewPathDataObject(paths), release);
    const std::unique_ptr<IDropSource, decltype(release)> source(NewPathDropSource(from), release);
    DWORD effect = DROPEFFECT_NONE;
    // A drag that fails to start or is cancelled has done nothing.
    if (DoDragDrop(data.get(), source.get(), kDragEffects, &effect) != DRAGDROP_S_DROP) effect = DROPEFFECT_NONE;
    return effect;
}
