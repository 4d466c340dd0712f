// The same drawing sequence on the image, metafile and recording back ends
// gives the same geometry.
#include "Bitmap.h"
#include "Metafile.h"
#include "MissingTool.h"
#include "RecordingCanvas.h"
#include "Scene.h"
#include "ScratchFiles.h"
#include "Wmf.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
void Record(TMetafile& mf, void (*draw)(TCanvas&)) {
    mf.SetWidth(200);
    mf.SetHeight(130);
    TMetafileCanvas c(mf);
    draw(c);
}

// What a call draws: the state that matters for its kind.
std::string Drawn(const TCanvasCall& c) {
    std::string s = ToString(c);
    const bool text = c.op == TCanvasOp::TextOut || c.op == TCanvasOp::TextRect;
    const bool filled = c.op == TCanvasOp::Rectangle || c.op == TCanvasOp::Ellipse ||
                        c.op == TCanvasOp::Polygon || c.op == TCanvasOp::FillRect;
    if (!text && c.op != TCanvasOp::SetPixel && c.op != TCanvasOp::FillRect)
        s += " pen " + std::to_string(c.penColor) + "/" + std::to_string(c.penWidth) + "/" +
             std::to_string(c.penStyle);
    if (filled || text)
        s += " brush " + std::to_string(c.brushColor) + "/" + std::to_string(c.brushStyle);
    if (text)
        s += " font " + c.fontName + "/" + std::to_string(c.fontHeight) + "/" +
             std::to_string(c.fontStyle) + "/" + std::to_string(c.fontColor);
    if (c.hasClip)
        s += " clip " + std::to_string(c.clip.Left) + "," + std::to_string(c.clip.Top) + "," +
             std::to_string(c.clip.Right) + "," + std::to_string(c.clip.Bottom);
    return s;
}

std::vector<std::string> DrawnCalls(const std::vector<TCanvasCall>& calls) {
    std::vector<std::string> out;
    for (const auto& c : calls)
        out.push_back(Drawn(c));
    return out;
}

void Geometry(TCanvas& c) {
    c.Brush().SetStyle(bsClear);
    c.Rectangle(10, 10, 190, 110);
    c.MoveTo(20, 100);
    c.LineTo(60, 40);
    c.LineTo(100, 80);
    c.LineTo(180, 20);
    c.MoveTo(10, 60);
    c.LineTo(190, 60);
    c.MoveTo(120, 20);
    c.LineTo(120, 100);
}

bool Dark(const QImage& img, int x, int y) {
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return false;
    const QRgb p = img.pixel(x, y);
    return qAlpha(p) > 128 && qGray(p) < 128;
}

// Share of a's dark pixels that have a dark pixel of b within `reach` pixels
// of b, after mapping a's pixel (x, y) to b's (x * scale + dx, y * scale + dy).
double Covered(const QImage& a, const QImage& b, double scale, double dx, double dy, int reach) {
    int dark = 0, hit = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (!Dark(a, x, y)) continue;
            ++dark;
            const int u = int(std::lround(x * scale + dx)), v = int(std::lround(y * scale + dy));
            bool found = false;
            for (int j = -reach; j <= reach && !found; ++j)
                for (int i = -reach; i <= reach && !found; ++i)
                    found = Dark(b, u + i, v + j);
            hit += found;
        }
    return dark ? double(hit) / dark : 0.0;
}
} // namespace

TEST(BackendsAgree, MetafileRecordsReplayTheSameCallsWithTheSameState) {
    TRecordingCanvas direct;
    DrawScene(direct);
    TMetafile mf;
    Record(mf, DrawScene);
    wmf::File file;
    ASSERT_EQ(wmf::Parse(mf.Data(), file), "");
    TRecordingCanvas replayed;
    wmf::Play(file, replayed);
    EXPECT_EQ(DrawnCalls(replayed.Calls), DrawnCalls(direct.Calls));
}

TEST(BackendsAgree, ImageAndReplayedMetafileArePixelIdentical) {
    TBitmap direct(200, 130);
    DrawScene(direct.Canvas());
    TMetafile mf;
    Record(mf, DrawScene);
    wmf::File file;
    ASSERT_EQ(wmf::Parse(mf.Data(), file), "");
    TBitmap replayed(200, 130);
    wmf::Play(file, replayed.Canvas());
    int differing = 0;
    for (int y = 0; y < 130; ++y)
        for (int x = 0; x < 200; ++x)
            differing += direct.Canvas().GetPixel(x, y) != replayed.Canvas().GetPixel(x, y);
    EXPECT_EQ(differing, 0);
}

TEST(BackendsAgree, Wmf2gdRendersTheMetafileWithTheImageGeometry) {
    if (!fs::exists("/usr/bin/wmf2gd")) CURVIX_SKIP_OR_FAIL() << "wmf2gd: install libwmf-bin";
    TMetafile mf;
    Record(mf, Geometry);
    const testsupport::ScratchDir scratch;
    const fs::path base = scratch.path() / "gd";
    const std::string wmfFile = base.string() + ".wmf", pngFile = base.string() + ".png";
    ASSERT_EQ(mf.SaveToFile(wmfFile), "");
    // libwmf crops the picture to what is drawn, here (10, 10)-(189, 109),
    // and is asked to scale it to twice that size.
    const std::string cmd = "/usr/bin/wmf2gd --maxwidth=360 --maxheight=200 --maxsize -o " +
                            pngFile + " " + wmfFile + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    QImage gd(QString::fromStdString(pngFile));
    ASSERT_EQ(gd.size(), QSize(360, 200));

    TBitmap image(200, 130);
    Geometry(image.Canvas());
    ASSERT_EQ(image.SaveToPngFile(base.string() + "_img.png"), "");
    const QImage ours(QString::fromStdString(base.string() + "_img.png"));
    EXPECT_GT(Covered(ours, gd, 2.0, -20.0, -20.0, 2), 0.98);
    EXPECT_GT(Covered(gd, ours, 0.5, 10.0, 10.0, 1), 0.98);
}
