// The forms runtime's pictures: the persistent images of the form and its
// picture boxes, the windowless controls drawn over them, and the pictures
// that controls hold.
//
// Sections: persistent images; drawing the windowless controls; painting a
// container; the operations on images and pictures; painting behind a control;
// captions.
#include <algorithm>

#include "frontend/ui/form_records_win32.h"

// ---- Persistent images.

namespace {

// A picture box's picture drawn whole at the form's scale into its image.
void drawWhole(const Form& form, Control& box) {
    const PictureRef shown = pictureAtDpi(box.picture, form.dpi);
    if (!shown || !box.image.dc) return;
    drawPicture(box.image.dc, *shown, 0, 0, shown->width, shown->height, 0, 0, shown->width, shown->height);
}

}  // namespace

Surface* containerImage(Form& form, Row container) {
    if (container == kNoRow) return &form.image;
    Control& box = form.controls[container];
    if (!box.image.dc && box.window) {
        // A picture box's image starts as its background with its picture,
        // at the form's scale, in the top-left corner; a box that is never
        // shown or drawn on needs none.
        RECT inside;
        GetClientRect(box.window, &inside);
        if (growSurface(box.image, inside.right, inside.bottom, colourOf(box.layout->back))) drawWhole(form, box);
    }
    return &box.image;
}

void invalidateControl(Control& c) {
    if (c.window) {
        InvalidateRect(c.window, nullptr, FALSE);
        return;
    }
    HWND owner = containerWindow(*c.form, c.layout->container);
    if (owner) InvalidateRect(owner, &c.rect, FALSE);
}

// ---- Drawing the windowless controls of one container.

namespace {

void drawLabel(HDC dc, const Control& c) {
    const ControlLayout& l = *c.layout;
    HGDIOBJ oldFont = SelectObject(dc, c.font ? c.font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    RECT r = c.rect;
    if (l.border == Border::SingleLine) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        // The text keeps 30 by 15 twips from the frame.
        InflateRect(&r, -twipsToPixels(30, c.form->dpi), -twipsToPixels(15, c.form->dpi));
    }
    // A label one line high shows its caption on that line, running past the
    // right edge rather than losing the end when the platform's substitute
    // font is wider than the design font; taller labels wrap.
    TEXTMETRICW tm = {};
    GetTextMetricsW(dc, &tm);
    const bool oneLine = (r.bottom - r.top) < 2 * tm.tmHeight;
    UINT format = DT_NOPREFIX | (oneLine ? DT_SINGLELINE | DT_NOCLIP : DT_WORDBREAK | DT_EDITCONTROL);
    if (l.alignment == Alignment::Centre) format |= DT_CENTER;
    drawCaptionText(dc, c.caption.c_str(), r, format, c.enabled, colourOf(l.fore));
    SelectObject(dc, oldFont);
}

// A stretched picture fills the control; an unstretched one keeps its size
// at the form's scale, cut at the control's edge. Either is scaled smoothly.
void drawImage(HDC dc, const Control& c) {
    const int w = c.rect.right - c.rect.left, h = c.rect.bottom - c.rect.top;
    const PictureRef shown = c.layout->stretch ? scaledPicture(c.picture, w, h) : pictureAtDpi(c.picture, c.form->dpi);
    if (!shown) return;
    const int dw = std::min(w, shown->width), dh = std::min(h, shown->height);
    drawPicture(dc, *shown, c.rect.left, c.rect.top, dw, dh, 0, 0, dw, dh);
}

void drawShape(HDC dc, const Control& c) {
    HPEN pen = CreatePen(PS_SOLID, 1, colourOf(c.layout->fore));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(HOLLOW_BRUSH));
    Rectangle(dc, c.rect.left, c.rect.top, c.rect.right, c.rect.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// ---- Painting a container: its persistent image, then its windowless
// controls in creation order (later ones above earlier ones).

void drawContainer(Form& form, Row container, HDC dc, const RECT& clip) {
    Surface* image = containerImage(form, container);
    if (image->dc)
        BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, image->dc, clip.left, clip.top,
               SRCCOPY);
    for (const Control& c : form.controls) {
        if (c.layout->container != container || !isWindowless(c.layout->kind)) continue;
        switch (c.layout->kind) {
            case ControlKind::Label: drawLabel(dc, c); break;
            case ControlKind::Image: drawImage(dc, c); break;
            default: drawShape(dc, c); break;
        }
    }
}

}  // namespace

void paintContainer(Form& form, HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    drawContainer(form, containerOf(form, window), dc, ps.rcPaint);
    EndPaint(window, &ps);
}

// ---- Operations on images and pictures.

HDC formImageDC(Form& form) { return form.image.dc; }

HDC imageDC(Form& form, ControlRow pictureBox) {
    Control* c = findControl(form, pictureBox);
    if (!c || c->layout->kind != ControlKind::PictureBox) return nullptr;
    return containerImage(form, c->layout->row)->dc;
}

void refreshForm(Form& form) {
    if (form.window) InvalidateRect(form.window, nullptr, FALSE);
}

void refreshControl(Form& form, ControlRow control) {
    if (Control* c = findControl(form, control)) invalidateControl(*c);
}

void copyPicture(Form& form, ControlRow to, ControlRow from) {
    Control* target = findControl(form, to);
    const Control* source = findControl(form, from);
    if (!target || !source) return;
    target->picture = source->picture;
    if (target->layout->kind == ControlKind::PictureBox) {
        containerImage(form, target->layout->row);
        drawWhole(form, *target);
    }
    invalidateControl(*target);
}

// ---- Painting behind a control that shows its container through itself.

void paintBehind(HWND control, HDC dc) {
    HWND parent = GetParent(control);
    Form* form = formOfContainer(parent);
    RECT client;
    GetClientRect(control, &client);
    if (!form) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    // The container's drawing, shifted so the control's corner lands at 0, 0.
    RECT inParent = client;
    MapWindowPoints(control, parent, reinterpret_cast<POINT*>(&inParent), 2);
    POINT oldOrigin;
    SetViewportOrgEx(dc, -inParent.left, -inParent.top, &oldOrigin);
    drawContainer(*form, containerOf(*form, parent), dc, inParent);
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}
