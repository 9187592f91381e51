#include "platform/headless/Drawrules.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The edge colours as system colour indexes; -1 for no line.
enum : int {
    none = -1,
    btnFace = 15,
    btnShadow = 16,
    btnHighlight = 20,
    darkShadow = 21,
    light3D = 22,
};

struct TEdgeRing {
    int TopLeft = none;
    int BottomRight = none;
};

// The two rings of an edge, outer first, in the system's colours.
void EdgeRings(std::uint32_t edge, bool flat, TEdgeRing& outer, TEdgeRing& inner) {
    const std::uint32_t outerBits = edge & (bdrRaisedOuter | bdrSunkenOuter);
    const std::uint32_t innerBits = edge & (bdrRaisedInner | bdrSunkenInner);
    if (flat) {
        if (outerBits) {
            outer = {btnShadow, btnShadow};
            if (innerBits) {
                inner = {btnFace, btnFace};
            }
        } else if (innerBits) {
            outer = {btnFace, btnFace};
        }
        return;
    }
    auto ring = [](std::uint32_t raised, std::uint32_t sunken, std::uint32_t bits,
                   TEdgeRing raisedRing, TEdgeRing sunkenRing) {
        return bits == raised ? raisedRing : bits == sunken ? sunkenRing : TEdgeRing{};
    };
    const TEdgeRing innerRing = ring(bdrRaisedInner, bdrSunkenInner, innerBits,
                                     {btnHighlight, btnShadow}, {darkShadow, light3D});
    if (!outerBits) {
        outer = innerRing;
        return;
    }
    outer = ring(bdrRaisedOuter, bdrSunkenOuter, outerBits, {light3D, darkShadow},
                 {btnShadow, btnHighlight});
    inner = innerRing;
}

} // namespace

std::array<TRect, 4> FrameBands(const TRect& r, int thickness) {
    const int innerTop = std::min(r.Top + thickness, r.Bottom);
    const int innerBottom = std::max(r.Bottom - thickness, innerTop);
    const int innerLeft = std::min(r.Left + thickness, r.Right);
    const int innerRight = std::max(r.Right - thickness, innerLeft);
    return {TRect{r.Left, r.Top, r.Right, innerTop}, TRect{r.Left, innerBottom, r.Right, r.Bottom},
            TRect{r.Left, innerTop, innerLeft, innerBottom},
            TRect{innerRight, innerTop, r.Right, innerBottom}};
}

TRect EdgeLines(const TRect& r, std::uint32_t edge, std::uint32_t flags,
                const std::function<void(const TRect&, int)>& fill) {
    TEdgeRing rings[2];
    EdgeRings(edge, flags & bfFlat, rings[0], rings[1]);
    TRect inside = r;
    for (const TEdgeRing& ring : rings) {
        if (ring.TopLeft == none) {
            continue;
        }
        const TRect d = inside;
        // The top and left lines first, the bottom and right lines over their ends.
        if (flags & bfTop) {
            fill({d.Left, d.Top, d.Right, d.Top + 1}, ring.TopLeft);
        }
        if (flags & bfLeft) {
            fill({d.Left, d.Top, d.Left + 1, d.Bottom}, ring.TopLeft);
        }
        if (flags & bfBottom) {
            fill({d.Left, d.Bottom - 1, d.Right, d.Bottom}, ring.BottomRight);
        }
        if (flags & bfRight) {
            fill({d.Right - 1, d.Top, d.Right, d.Bottom}, ring.BottomRight);
        }
        inside.Left += flags & bfLeft ? 1 : 0;
        inside.Top += flags & bfTop ? 1 : 0;
        inside.Right -= flags & bfRight ? 1 : 0;
        inside.Bottom -= flags & bfBottom ? 1 : 0;
    }
    if (flags & bfMiddle) {
        fill(inside, btnFace);
    }
    return inside;
}

int StretchSource(int d, int n, int size) {
    return int((2LL * d + 1) * size / (2LL * n));
}

void GradientBands(const TTriVertex& upperLeft, const TTriVertex& lowerRight,
                   TGradientFillMode mode, const TRect& visible,
                   const std::function<void(const TRect&, TColor)>& fill) {
    const TRect area{std::min(upperLeft.X, lowerRight.X), std::min(upperLeft.Y, lowerRight.Y),
                     std::max(upperLeft.X, lowerRight.X), std::max(upperLeft.Y, lowerRight.Y)};
    if (area.IsEmpty()) {
        return;
    }
    const bool horizontal = mode == TGradientFillMode::RectH;
    const bool inOrder = horizontal ? upperLeft.X <= lowerRight.X : upperLeft.Y <= lowerRight.Y;
    const TTriVertex& start = inOrder ? upperLeft : lowerRight;
    const TTriVertex& end = inOrder ? lowerRight : upperLeft;
    const long long n = horizontal ? area.Width() : area.Height();
    auto channel = [n](std::uint16_t from, std::uint16_t to, long long d) {
        return std::uint8_t((from * (n - d) + to * d) / n >> 8);
    };
    const long long first =
        std::max(0, horizontal ? visible.Left - area.Left : visible.Top - area.Top);
    const long long last =
        std::min<long long>(n, horizontal ? visible.Right - area.Left : visible.Bottom - area.Top);
    for (long long d = first; d < last; ++d) {
        const TColor color = RGB(channel(start.Red, end.Red, d), channel(start.Green, end.Green, d),
                                 channel(start.Blue, end.Blue, d));
        TRect band = area;
        if (horizontal) {
            band.Left = area.Left + int(d);
            band.Right = band.Left + 1;
        } else {
            band.Top = area.Top + int(d);
            band.Bottom = band.Top + 1;
        }
        fill(band, color);
    }
}

void ForLinePoints(TPoint from, TPoint to, bool dotted, const std::function<void(TPoint)>& visit) {
    const int dx = std::abs(to.X - from.X);
    const int dy = -std::abs(to.Y - from.Y);
    const int sx = from.X < to.X ? 1 : -1;
    const int sy = from.Y < to.Y ? 1 : -1;
    int error = dx + dy;
    TPoint p = from;
    for (int step = 0; p.X != to.X || p.Y != to.Y; ++step) {
        if (!dotted || step % 2 == 0) {
            visit(p);
        }
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.X += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.Y += sy;
        }
    }
}
