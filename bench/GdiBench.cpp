// Laying out and drawing a joke as the text view does: DrawText measuring (DT_CALCRECT) and
// then drawing word-wrapped text into a 240 x 1024 surface of 1 bit per pixel, once glyphs are
// cached. Beside it, the rest of a text view's work: a whole SetText (new context, bitmap and
// font, fill, measure, draw) and a paint (one 1-bpp to colour block copy of the visible strip).
#include <benchmark/benchmark.h>

#include <string>

#include "bench/JokeText.h"
#include "platform/gdi/Gdi.h"

namespace {

using bench::JokeText;

constexpr UINT kMeasure = DT_CALCRECT | DT_WORDBREAK;
constexpr UINT kDraw = DT_WORDBREAK;

struct TextSurface {
    TextSurface() {
        dc.CreateCompatibleDC(nullptr);
        bitmap.CreateCompatibleBitmap(&dc, 240, 1024);
        dc.SelectObject(&bitmap);
        dc.SetBkMode(TRANSPARENT);
        font.CreatePointFont(100, u"Arial");
        dc.SelectObject(&font);
    }
    CDC dc;
    CBitmap bitmap;
    CFont font;
};

void BM_DrawTextMeasureAndDraw(benchmark::State& state) {
    TextSurface s;
    const CString text = JokeText(static_cast<int>(state.range(0)));
    CRect warm(10, 0, 221, 1024);
    s.dc.DrawText(text, -1, &warm, kMeasure);
    s.dc.DrawText(text, -1, &warm, kDraw);  // glyphs are cached from here on
    for (auto _ : state) {
        CRect rect(10, 0, 221, 1024);
        benchmark::DoNotOptimize(s.dc.DrawText(text, -1, &rect, kMeasure));
        benchmark::DoNotOptimize(s.dc.DrawText(text, -1, &rect, kDraw));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_DrawTextMeasureAndDraw)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

// Everything a text view's SetText does, font and surface included.
void BM_SetTextWhole(benchmark::State& state) {
    const CString text = JokeText(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, 240, 1024);
        dc.SelectObject(&bitmap);
        dc.SetBkMode(TRANSPARENT);
        CRect all(0, 0, 240, 1024);
        dc.FillRect(&all, CBrush::FromHandle(GetSysColorBrush(COLOR_WINDOW)));
        CFont font;
        font.CreatePointFont(100, u"Arial");
        CFont* old = dc.SelectObject(&font);
        CRect rect(10, 0, 221, 1024);
        dc.DrawText(text, -1, &rect, kMeasure);
        dc.DrawText(text, -1, &rect, kDraw);
        dc.SelectObject(old);
        benchmark::DoNotOptimize(rect.bottom);
    }
}
BENCHMARK(BM_SetTextWhole)->Arg(1000)->Unit(benchmark::kMicrosecond);

// A paint of the text view: the visible 240 x 268 strip onto the colour screen.
void BM_PaintStrip(benchmark::State& state) {
    TextSurface s;
    const CString text = JokeText(1000);
    CRect rect(10, 0, 221, 1024);
    s.dc.DrawText(text, -1, &rect, kMeasure);
    s.dc.DrawText(text, -1, &rect, kDraw);
    platform::Surface screen(240, 320, 32);
    CDC window;
    window.AttachSurface(&screen, CPoint(0, 26), CRect(0, 26, 240, 294));
    for (auto _ : state) {
        benchmark::DoNotOptimize(window.BitBlt(0, 0, 240, 268, &s.dc, 0, 100, SRCCOPY));
    }
}
BENCHMARK(BM_PaintStrip)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
