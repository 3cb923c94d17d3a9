#include "frontend/preview_mode_win32.h"

#include "frontend/program_state.h"
#include "frontend/ui/forms.h"

namespace {

HWND previewHost = nullptr;
Form* previewForm = nullptr;

// Form_Unload: the preview has gone with its host; nothing else keeps the
// program alive.
void onUnload(Form&) { ExitProcess(0); }

// The host destroys its preview window without telling anyone; this check
// makes sure the program ends with it even when the child window's own
// destruction does not reach the form.
void CALLBACK watchHost(HWND, UINT, UINT_PTR, DWORD) {
    const bool formAlive = previewForm && IsWindow(formWindow(*previewForm));
    if (!IsWindow(previewHost) || !formAlive) ExitProcess(0);
}

void placeInHost(Form& form, HWND host) {
    HWND window = formWindow(form);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    ApiResult = SetWindowLongA(window, GWL_STYLE, style | WS_CHILD);
    SetParent(window, host);
    moveForm(form, PreviewLeft, PreviewTop, PreviewWidth, PreviewHeight);
    const int widthPx = static_cast<int>(static_cast<double>(PreviewWidth) / twipsPerPixelX());
    const int heightPx = static_cast<int>(static_cast<double>(PreviewHeight) / twipsPerPixelY());
    moveControl(form, "Img_Prev", -1, 0, 0, widthPx, heightPx);
}

}  // namespace

void LoadPreviewForm(HWND host) {
    previewHost = host;
    FormEvents events = {};
    events.unload = onUnload;
    previewForm = loadForm(Solvane_R_Layout, events);
    if (!previewForm) return;
    placeInHost(*previewForm, host);
    showForm(*previewForm, false);
    SetTimer(nullptr, 0, 250, watchHost);
}
