// Clipboard round trips under the offscreen platform.
#include "Clipboard.h"
#include "Bitmap.h"
#include "Metafile.h"
#include "Scene.h"

#include <gtest/gtest.h>

TEST(Clipboard, TextKeepsLineEndsTabsAndWindows1252Characters) {
    const std::string text = "Harm.\tAmplitude\tPhase\r\n1\t2.0000\t30.000\xB0\r\n\r\n";
    Clipboard().SetAsText(text);
    EXPECT_TRUE(Clipboard().HasText());
    EXPECT_EQ(Clipboard().AsText(), text);
}

TEST(Clipboard, MetafileGoesOnAsWmfBytesAndAsPng) {
    TMetafile mf;
    mf.SetWidth(200);
    mf.SetHeight(130);
    {
        TMetafileCanvas c(mf);
        DrawScene(c);
    }
    Clipboard().Assign(mf);
    EXPECT_TRUE(Clipboard().HasMetafile());
    EXPECT_TRUE(Clipboard().HasImage());

    TMetafile back;
    EXPECT_EQ(Clipboard().GetMetafile(back), "");
    EXPECT_EQ(back.Data(), mf.Data());
    EXPECT_EQ(back.Width(), 200);
    EXPECT_EQ(back.Height(), 130);

    TBitmap picture;
    ASSERT_EQ(Clipboard().GetImage(picture), "");
    ASSERT_EQ(picture.Width(), 200);
    ASSERT_EQ(picture.Height(), 130);
    TBitmap direct(200, 130);
    DrawScene(direct.Canvas());
    for (int y = 0; y < 130; y += 3)
        for (int x = 0; x < 200; x += 3)
            ASSERT_EQ(picture.Canvas().GetPixel(x, y), direct.Canvas().GetPixel(x, y))
                << x << "," << y;

    Clipboard().SetAsText("plain");
    EXPECT_FALSE(Clipboard().HasMetafile());
    EXPECT_NE(Clipboard().GetMetafile(back), "");
}
