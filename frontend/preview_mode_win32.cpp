#include "frontend/preview_mode_win32.h"

#include "frontend/ui/dpi_win32.h"
#include "frontend/ui/forms_win32.h"

namespace Solvane_R {
namespace {

// The preview has gone with its host; nothing else keeps the program alive.
void Form_Unload(Form&) { ExitProcess(0); }

}  // namespace
}  // namespace Solvane_R

namespace {

HWND previewHost = nullptr;
Form* previewForm = nullptr;

// The host destroys its preview window without telling anyone; this check
// makes sure the program ends with it even when the child window's own
// destruction does not reach the form.
void CALLBACK watchHost(HWND, UINT, UINT_PTR, DWORD) {
    const bool formAlive = previewForm && IsWindow(formWindow(*previewForm));
    if (!IsWindow(previewHost) || !formAlive) ExitProcess(0);
}

// A child of the host at its top-left corner, as large as the host, with the
// picture stretched over all of it.
void placeInHost(Form& form, HWND host, int width, int height) {
    HWND window = formWindow(form);
    SetWindowLongA(window, GWL_STYLE, GetWindowLongA(window, GWL_STYLE) | WS_CHILD);
    SetParent(window, host);
    moveForm(form, 0, 0, width, height);
    moveControl(form, Solvane_R::Control::Img_Prev, 0, 0, width, height);
}

}  // namespace

bool previewHostSize(HWND host, int& width, int& height) {
    if (!IsWindow(host)) return false;
    dpiAwarenessOf hostPixels(host);
    RECT client = {0, 0, 0, 0};
    if (!GetClientRect(host, &client)) return false;
    width = client.right;
    height = client.bottom;
    return true;
}

void loadPreviewForm(HWND host, int width, int height) {
    previewHost = host;
    dpiAwarenessOf hostPixels(host);
    FormEvents events = {};
    events.unload = Solvane_R::Form_Unload;
    previewForm = loadForm(Solvane_R_Layout, events);
    if (!previewForm) return;
    placeInHost(*previewForm, host, width, height);
    showForm(*previewForm, false);
    SetTimer(nullptr, 0, 250, watchHost);
}
