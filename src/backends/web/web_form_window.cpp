// SPDX-License-Identifier: MIT
#include "backends/web/web_form_window.h"

#include <algorithm>
#include <cstdio>

#include "backends/web/page_bridge.h"
#include "backends/web/page_pixels.h"
#include "backends/web/soft_canvas.h"
#include "backends/web/web_host.h"
#include "platform/controls/text_box.h"
#include "platform/region.h"
#include "platform/resources.h"

namespace xmascard {

namespace {

std::string cssFont(const Font& font) {
    const std::string family = !font.family                                    ? "Liberation Sans"
                               : std::string(font.family) == "Arial"           ? "Liberation Sans"
                               : std::string(font.family) == "Times New Roman" ? "Liberation Serif"
                                                                               : font.family;
    const bool serif = family == "Liberation Serif";
    return std::string(font.italic ? "italic " : "") + (font.bold ? "bold " : "") +
           std::to_string(font.pixelSize()) + "px \"" + family + "\", " +
           (serif ? "\"Times New Roman\", serif" : "Arial, sans-serif");
}

std::uint32_t rgbOf(Color color) { return opaqueWord(color) & 0xFFFFFFu; }

}  // namespace

WebFormWindow::WebFormWindow(Form& form, WebHost& host)
    : FormWindowBase(form), host_(host), id_(host.windows().add()) {
    page::makeWindow(id_, form.Name());
    host_.attach(*this);
    syncWithForm();
}

WebFormWindow::~WebFormWindow() {
    host_.detach(*this);
    host_.windows().remove(id_);
    page::removeWindow(id_);
}

void WebFormWindow::place(const PixelRect& where) {
    host_.windows().place(id_, where);
    page::placeWindow(id_, where.left, where.top, where.width(), where.height());
    if (where.width() != width_ || where.height() != height_) {
        width_ = where.width();
        height_ = where.height();
        pixels_ = PixelImage::create(width_, height_);
        if (!pixels_)
            std::fprintf(stderr, "xmascard: no memory for window %s of %d x %d pixels\n",
                         form().Name().c_str(), width_, height_);
        if (shape_) mask_ = shapeMask(*shape_, width_, height_);
        dirty_ = PixelRect::at(0, 0, width_, height_);
    }
}

void WebFormWindow::showWindow(WindowState state) {
    const bool shown = state != WindowState::Minimized;  // a page has nowhere to minimise to
    host_.windows().show(id_, shown);
    page::showWindow(id_, shown);
}

void WebFormWindow::hideWindow() {
    host_.windows().show(id_, false);
    page::showWindow(id_, false);
}

void WebFormWindow::raiseWindow() {
    host_.windows().raise(id_);
    host_.restack();
}

void WebFormWindow::unite(const PixelRect& area) {
    if (!dirty_) {
        dirty_ = area;
        return;
    }
    dirty_ = PixelRect{std::min(dirty_->left, area.left), std::min(dirty_->top, area.top),
                       std::max(dirty_->right, area.right), std::max(dirty_->bottom, area.bottom)};
}

void WebFormWindow::invalidate(const std::optional<PixelRect>& area) {
    unite(area.value_or(PixelRect::at(0, 0, width_, height_)));
}

void WebFormWindow::setShape(const Region* region) {
    if (region) {
        shape_ = *region;
        mask_ = shapeMask(*region, width_, height_);
    } else {
        shape_.reset();
        mask_.reset();
    }
    host_.windows().setShape(id_, shape_);
    invalidate(std::nullopt);  // the outline is in the pixels' alpha
}

void WebFormWindow::setCursor(const Cursor& cursor) {
    const auto png = cursor.isDefault() ? std::nullopt : embeddedFile(cursor.picture);
    if (png)
        page::setCursor(png->data(), static_cast<int>(png->size()), cursor.hotX, cursor.hotY);
    else
        page::setCursor(nullptr, 0, 0, 0);
}

void WebFormWindow::setToolTip(const std::string& text) { page::setToolTip(text); }

void WebFormWindow::syncEdit(const TextBox& box, const PixelRect& where, bool shown) {
    auto it = edits_.find(&box);
    if (it == edits_.end()) it = edits_.emplace(&box, static_cast<int>(edits_.size())).first;
    page::syncEdit(id_, it->second, where.left, where.top, where.width(), where.height(), shown,
                   {.text = box.Text(),
                    .font = cssFont(box.font()),
                    .fore = rgbOf(box.ForeColor()),
                    .back = rgbOf(box.BackColor()),
                    .align = static_cast<int>(box.alignment()),
                    .bordered = box.bordered()});
}

void WebFormWindow::editTyped(int edit, std::string text) {
    for (auto& [box, number] : edits_)
        if (number == edit) return textEdited(*const_cast<TextBox*>(box), std::move(text));
}

void WebFormWindow::runFaceTimer(bool running) {
    faceRunning_ = running;
    if (!running) nextFace_.reset();
}

void WebFormWindow::tick(double now) {
    if (!faceRunning_) return;
    if (!nextFace_) nextFace_ = now + kFaceRepaintMilliseconds / 1000.0;
    if (now < *nextFace_) return;
    nextFace_ = now + kFaceRepaintMilliseconds / 1000.0;
    faceTimerFired();
}

void WebFormWindow::repaint() {
    if (!dirty_ || !pixels_) return;
    const PixelRect area{std::max(0, dirty_->left), std::max(0, dirty_->top),
                         std::min(width_, dirty_->right), std::min(height_, dirty_->bottom)};
    dirty_.reset();
    if (area.isEmpty()) return;
    SoftCanvas canvas(*pixels_);
    canvas.save();
    canvas.clip(area);
    paint(canvas);
    canvas.restore();
    pageBytes(*pixels_, area, mask_ ? &*mask_ : nullptr, bytes_);
    page::putPixels(id_, bytes_.data(), area.left, area.top, area.width(), area.height());
}

}  // namespace xmascard
