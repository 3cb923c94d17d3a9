// The front end's rule for its deciding procedures: a step that fails is
// skipped, the next one runs, and nothing is shown.
#pragma once

template <class Step>
void skipOnError(Step&& step) noexcept {
    try {
        step();
    } catch (...) {
    }
}
