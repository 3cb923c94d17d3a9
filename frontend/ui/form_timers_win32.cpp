// The forms runtime's timers: each timer control is a system timer on its
// form's window, identified by kFirstControlId plus the control's row.
//
// Sections: scheduling; enabling; ticks and unloading.
#include "frontend/ui/form_records_win32.h"

// ---- Scheduling.

namespace {

UINT_PTR timerId(const Control& c) { return kFirstControlId + static_cast<UINT_PTR>(c.layout->row); }

Control* findTimer(Form& form, ControlRow timer) {
    Control* c = findControl(form, timer);
    return c && c->layout->kind == ControlKind::Timer ? c : nullptr;
}

void schedule(const Form& form, const Control& c) {
    // An interval of 0 never ticks.
    if (c.timerOn && c.layout->intervalMs > 0)
        SetTimer(form.window, timerId(c), static_cast<UINT>(c.layout->intervalMs), nullptr);
    else
        KillTimer(form.window, timerId(c));
}

}  // namespace

// ---- Enabling.

void setTimerEnabled(Form& form, ControlRow timer, bool enabled) {
    Control* c = findTimer(form, timer);
    if (!c || !form.window) return;
    // Enabling a running timer leaves its period alone, so a handler that
    // re-enables its own timer keeps a steady beat.
    if (c->timerOn == enabled) return;
    c->timerOn = enabled;
    schedule(form, *c);
}

bool timerEnabled(const Form& form, ControlRow timer) {
    const Control* c = findTimer(const_cast<Form&>(form), timer);
    return c && c->timerOn;
}

// ---- Ticks and unloading.

void timerTicked(Form& form, WPARAM id) {
    if (id < kFirstControlId || id - kFirstControlId >= form.controls.size()) return;
    const Control& c = form.controls[id - kFirstControlId];
    if (c.layout->kind == ControlKind::Timer && c.timerOn && form.events.timer)
        form.events.timer(form, ControlRow(*form.layout, c.layout->row));
}

void stopTimers(Form& form) {
    for (const Control& c : form.controls)
        if (c.layout->kind == ControlKind::Timer && c.timerOn && form.window) KillTimer(form.window, timerId(c));
}
