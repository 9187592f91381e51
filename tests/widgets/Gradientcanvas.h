#pragma once
// A software canvas that counts the calls of its gradient primitive and can play a primitive
// that fails, for the tests of the gradient components.

#include "platform/headless/Softcanvas.h"

class TGradientCanvas : public TSoftCanvas {
public:
    using TSoftCanvas::TSoftCanvas;

    int Fills = 0;
    bool Fail = false;

    bool GradientFill(const TTriVertex& upperLeft, const TTriVertex& lowerRight,
                      TGradientFillMode mode) override {
        ++Fills;
        if (Fail) {
            return false;
        }
        return TSoftCanvas::GradientFill(upperLeft, lowerRight, mode);
    }
};
