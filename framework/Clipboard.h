#pragma once
// The system clipboard: 8-bit text (lines end in CR LF, columns split by tabs)
// and pictures. A metafile goes on it twice: as PNG for ordinary programs and as
// the metafile's bytes under the type "image/x-wmf".

#include "Object.h"

#include <string>
#include <string_view>

class TBitmap;
class TMetafile;

class TClipboard : public TObject {
public:
    std::string AsText() const;
    void SetAsText(std::string_view text);
    void Assign(const TMetafile& metafile);
    void Clear();

    bool HasText() const;
    bool HasMetafile() const;
    bool HasImage() const;
    // Empty text on success, else the reason.
    std::string GetMetafile(TMetafile& out) const;
    std::string GetImage(TBitmap& out) const;
};

constexpr const char* kWmfMimeType = "image/x-wmf";

// The program's clipboard.
TClipboard& Clipboard();
