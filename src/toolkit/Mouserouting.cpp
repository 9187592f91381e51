// The routing of a window's mouse input: to the windowless child under the pointer, or to the
// child that holds the pointer since a press, in that child's own coordinates.

#include "toolkit/Controls.h"

TControl* TWinControl::MouseTarget(int x, int y) {
    if (CaptureControl) {
        return CaptureControl;
    }
    if (TControl* control = WindowlessControlAt({x, y}, false)) {
        return control;
    }
    return this;
}

TPoint TWinControl::TargetPoint(const TControl* target, int x, int y) const {
    if (target == this) {
        return {x, y};
    }
    return {x - target->Left(), y - target->Top()};
}

void TWinControl::HoverAt(int x, int y) {
    TControl* hover = WindowlessControlAt({x, y}, true);
    if (!hover) {
        hover = this;
    }
    if (hover == HotControl) {
        return;
    }
    TControl* old = HotControl;
    HotControl = hover;
    if (old) {
        old->MouseLeave();
    }
    if (HasChild(hover) || hover == this) {
        hover->MouseEnter();
    }
}

void TWinControl::WindowMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (!Enabled()) {
        return;
    }
    HoverAt(x, y);
    TControl* target = MouseTarget(x, y);
    CaptureControl = target == this ? nullptr : target;
    ClickControl = button == mbLeft ? target : nullptr;
    const TPoint p = TargetPoint(target, x, y);
    target->MouseDown(button, shift, p.X, p.Y);
}

void TWinControl::WindowMouseMove(TShiftState shift, int x, int y) {
    if (!Enabled()) {
        return;
    }
    HoverAt(x, y);
    TControl* target = MouseTarget(x, y);
    const TPoint p = TargetPoint(target, x, y);
    target->MouseMove(shift, p.X, p.Y);
}

void TWinControl::WindowMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (!Enabled()) {
        return;
    }
    TControl* target = MouseTarget(x, y);
    CaptureControl = nullptr;
    const TPoint p = TargetPoint(target, x, y);
    const bool click = button == mbLeft && ClickControl == target && target->ClickOnRelease() &&
                       target->ClientRect().Contains(p);
    ClickControl = nullptr;
    if (click) {
        target->Click();
    }
    // The click may have removed the control.
    if (target == this || HasChild(target)) {
        target->MouseUp(button, shift, p.X, p.Y);
    }
}

void TWinControl::WindowDoubleClick(TShiftState shift, int x, int y) {
    if (!Enabled()) {
        return;
    }
    HoverAt(x, y);
    TControl* target = MouseTarget(x, y);
    CaptureControl = target == this ? nullptr : target;
    ClickControl = nullptr;
    const TPoint p = TargetPoint(target, x, y);
    target->MouseDoubleClick(shift, p.X, p.Y);
}

void TWinControl::WindowMouseLeave() {
    TControl* old = HotControl;
    HotControl = nullptr;
    if (old) {
        old->MouseLeave();
    }
}
