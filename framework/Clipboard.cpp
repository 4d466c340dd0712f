#include "Clipboard.h"

#include "Bitmap_p.h"
#include "Cp1252.h"
#include "Metafile.h"
#include "Wmf.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <cstring>

namespace {
QClipboard* System() {
    return QGuiApplication::clipboard();
}
} // namespace

std::string TClipboard::AsText() const {
    const QString text = System()->text();
    return Cp1252FromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                               static_cast<std::size_t>(text.size())));
}

void TClipboard::SetAsText(std::string_view text) {
    const std::u16string u = Utf16FromShownText(text);
    System()->setText(
        QString(reinterpret_cast<const QChar*>(u.data()), static_cast<qsizetype>(u.size())));
}

void TClipboard::Assign(const TMetafile& metafile) {
    auto* mime = new QMimeData;
    const auto& bytes = metafile.Data();
    mime->setData(kWmfMimeType, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                           static_cast<qsizetype>(bytes.size())));
    wmf::File file;
    if (wmf::Parse(bytes, file).empty() && metafile.Width() > 0 && metafile.Height() > 0) {
        TBitmap picture(metafile.Width(), metafile.Height());
        wmf::Play(file, picture.Canvas(), metafile.ShownTexts());
        const QImage& image = ImageOf(picture);
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        mime->setData("image/png", png);
        mime->setImageData(image);
    }
    System()->setMimeData(mime);
}

void TClipboard::Clear() {
    System()->clear();
}

bool TClipboard::HasText() const {
    const QMimeData* m = System()->mimeData();
    return m && m->hasText();
}

bool TClipboard::HasMetafile() const {
    const QMimeData* m = System()->mimeData();
    return m && m->hasFormat(kWmfMimeType);
}

bool TClipboard::HasImage() const {
    const QMimeData* m = System()->mimeData();
    return m && (m->hasImage() || m->hasFormat("image/png"));
}

std::string TClipboard::GetMetafile(TMetafile& out) const {
    const QMimeData* m = System()->mimeData();
    if (!m || !m->hasFormat(kWmfMimeType)) return "The clipboard holds no metafile";
    const QByteArray data = m->data(kWmfMimeType);
    return out.LoadFromBytes(std::span(reinterpret_cast<const std::uint8_t*>(data.constData()),
                                       static_cast<std::size_t>(data.size())));
}

std::string TClipboard::GetImage(TBitmap& out) const {
    const QMimeData* m = System()->mimeData();
    if (!m) return "The clipboard is empty";
    QImage image;
    if (m->hasFormat("image/png"))
        image.loadFromData(m->data("image/png"), "PNG");
    else if (m->hasImage())
        image = qvariant_cast<QImage>(m->imageData());
    if (image.isNull()) return "The clipboard holds no picture";
    image = image.convertToFormat(QImage::Format_RGB32);
    out.SetSize(image.width(), image.height());
    out.Flush();
    QImage& target = out.Internals().canvas.image;
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(target.scanLine(y), image.constScanLine(y),
                    static_cast<std::size_t>(image.width()) * 4);
    return {};
}

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}
