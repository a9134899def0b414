// Picture files through the OLE picture decoder. The decoder's picture owns the bitmap it made and
// deletes it when released, so the bitmap object is given a copy of its own.
#include "skin/PictureFile.h"

#include <ocidl.h>
#include <olectl.h>

#include <memory>

#include "ui/FileHandle.h"
#include "ui/WinString.h"

namespace {

struct ComRelease {
    void operator()(IUnknown* object) const { object->Release(); }
};
template <typename T>
using ComOwner = std::unique_ptr<T, ComRelease>;

// The decoder takes the stream's length as a LONG.
constexpr LONGLONG kMaxPictureBytes = 0x7FFFFFFF;

// A stream over the whole file in a movable global block that the stream owns; null when the file
// cannot be opened, is empty or too large, or is read short.
ComOwner<IStream> ReadFileStream(const WString& path, LONG& length) {
    CFileHandle file(CreateFileW(WinStr(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    LARGE_INTEGER fileSize{};
    if (!file || !GetFileSizeEx(file.Handle(), &fileSize) || fileSize.QuadPart <= 0 ||
        fileSize.QuadPart > kMaxPictureBytes) {
        return nullptr;
    }
    const DWORD wanted = static_cast<DWORD>(fileSize.QuadPart);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, wanted);
    void* bytes = block ? GlobalLock(block) : nullptr;
    DWORD read = 0;
    const bool complete = bytes && ReadFile(file.Handle(), bytes, wanted, &read, nullptr) && read == wanted;
    if (bytes) {
        GlobalUnlock(block);
    }
    IStream* stream = nullptr;
    if (!complete || FAILED(CreateStreamOnHGlobal(block, TRUE, &stream))) {
        if (block) {
            GlobalFree(block);
        }
        return nullptr;
    }
    length = static_cast<LONG>(wanted);
    return ComOwner<IStream>(stream);
}

// A copy of the decoded bitmap; empty when the stream is no picture or decodes to an icon or metafile.
CBitmap DecodeBitmap(IStream* stream, LONG length) {
    IPicture* raw = nullptr;
    if (FAILED(OleLoadPicture(stream, length, FALSE, IID_IPicture, reinterpret_cast<void**>(&raw)))) {
        return CBitmap();
    }
    ComOwner<IPicture> picture(raw);
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(picture->get_Handle(&handle))) {
        return CBitmap();
    }
    // GDI handles are 32-bit values, sign-extended on x64.
    HANDLE decoded = LongToHandle(static_cast<LONG>(handle));
    return CBitmap(static_cast<HBITMAP>(CopyImage(decoded, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

}  // namespace

void LoadPictureFile(const WString& path, CBitmap& bitmap, SIZE* size) {
    LONG length = 0;
    ComOwner<IStream> stream = ReadFileStream(path, length);
    if (!stream) {
        return;
    }
    CBitmap decoded = DecodeBitmap(stream.get(), length);
    SIZE decodedSize{};
    if (!decoded || !GetBitmapSize(decoded.Handle(), decodedSize)) {
        return;
    }
    bitmap = std::move(decoded);
    if (size) {
        *size = decodedSize;
    }
}
