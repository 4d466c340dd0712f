#pragma once
// One drawing sequence that every back end draws in the tests: frame, connected
// lines, a dotted grid line, a wide polyline, texts (with the degree sign),
// symbols, pixels and a clipped line.
#include "Canvas.h"

inline void DrawScene(TCanvas& c) {
    c.Font().SetName("Arial");
    c.Font().SetSize(10);
    c.Font().SetColor(clBlack);
    c.Pen().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
    c.Rectangle(10, 10, 190, 110);
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clWhite);

    c.MoveTo(20, 100);
    c.LineTo(60, 40);
    c.LineTo(100, 80);
    c.LineTo(180, 20);

    c.Pen().SetColor(clRed);
    c.Pen().SetStyle(psDot);
    c.MoveTo(10, 60);
    c.LineTo(190, 60);

    c.Pen().SetStyle(psSolid);
    c.Pen().SetColor(clBlue);
    c.Pen().SetWidth(2);
    const TPoint wave[] = {{20, 30}, {40, 20}, {60, 30}, {80, 20}, {100, 30}};
    c.Polyline(wave);

    c.Pen().SetWidth(1);
    c.Pen().SetColor(clBlack);
    c.Brush().SetStyle(bsClear);
    c.TextOut(20, 112, "Time [ms]");
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clYellow);
    c.TextOut(120, 112, "45\xB0");

    c.Brush().SetColor(clBlack);
    c.Ellipse(150, 80, 161, 91);
    const TPoint tri[] = {{165, 90}, {175, 90}, {170, 80}};
    c.Polygon(tri);
    c.Brush().SetColor(clWhite);
    for (int x = 30; x < 40; x += 2)
        c.SetPixel(x, 50, clGreen);

    c.SetClipRect({10, 10, 190, 110});
    c.Pen().SetColor(clGreen);
    c.MoveTo(0, 0);
    c.LineTo(200, 130);
    c.ResetClip();
    c.Brush().SetColor(clSilver);
    c.Rectangle(150, 20, 170, 40);

    // Clips replaced while pens and brushes change, a filled cell and its text.
    c.SetClipRect({20, 20, 60, 50});
    c.Pen().SetColor(clMaroon);
    c.MoveTo(20, 45);
    c.LineTo(80, 45);
    c.SetClipRect({100, 85, 140, 105});
    c.Brush().SetColor(clAqua);
    c.FillRect({100, 85, 140, 105});
    c.Font().SetStyle(fsBold);
    c.Font().SetColor(clNavy);
    c.TextRect({100, 85, 140, 105}, 102, 87, "Cell");
    c.Brush().SetStyle(bsClear);
    c.TextRect({100, 85, 120, 105}, 102, 95, "clipped text");
    c.ResetClip();
    c.Pen().SetColor(clPurple);
    c.MoveTo(10, 120);
    c.LineTo(60, 125);
}
