// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/form_scaler.h"

#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tavora::app {

using shell::Bounds;

namespace {

Bounds BoundsOf(const QWidget* w)
{
    return {w->x(), w->y(), w->width(), w->height()};
}

void SetBounds(QWidget* w, const Bounds& b)
{
    w->setGeometry(b.left, b.top, b.width, b.height);
}

// Only plain containers hold controls of ours; the insides of composite
// widgets (a list's scroll bars, a spin box's edit) are theirs.
bool IsContainer(const QWidget* w)
{
    const QMetaObject* meta = w->metaObject();
    return meta == &QWidget::staticMetaObject || meta == &QFrame::staticMetaObject ||
           qobject_cast<const QGroupBox*>(w) != nullptr;
}

void Collect(QWidget* parent, std::vector<QWidget*>& out)
{
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w == nullptr || w->isWindow())
            continue;
        out.push_back(w);
        if (IsContainer(w))
            Collect(w, out);
    }
}

} // namespace

int FontSizeOf(const QFont& font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : font.pointSize();
}

void SetFontSize(QFont& font, int size, bool pixels)
{
    if (pixels)
        font.setPixelSize(size);
    else
        font.setPointSize(size);
}

FormScaler::FormScaler(QWidget* form, QWidget* client, shell::DesignFrame design)
    : QObject(form), form_(form), client_(client), design_(design)
{
    client_->installEventFilter(this);
    form_->installEventFilter(this);
}

std::vector<QWidget*> FormScaler::Controls(QWidget* client)
{
    std::vector<QWidget*> out;
    Collect(client, out);
    return out;
}

FormScaler::Record FormScaler::MakeRecord(QWidget* control, const Bounds& design) const
{
    Record r;
    r.widget = control;
    r.design = design;
    r.applied = design;
    r.ownFont = control->testAttribute(Qt::WA_SetFont);
    r.pixelFont = control->font().pixelSize() > 0;
    r.fontSize = FontSizeOf(control->font());
    r.appliedFont = r.fontSize;
    return r;
}

void FormScaler::Load()
{
    if (loaded_)
        return;
    loaded_ = true;
    dpiX_ = form_->logicalDpiX();
    dpiY_ = form_->logicalDpiY();
    const shell::Factors density = shell::DensityFactors(design_, dpiX_, dpiY_);

    QFont windowFont = client_->font();
    windowPixelFont_ = windowFont.pixelSize() > 0;
    windowFontSize_ = shell::LoadFontSize(FontSizeOf(windowFont), density);
    SetFontSize(windowFont, windowFontSize_, windowPixelFont_);
    client_->setFont(windowFont);

    for (QWidget* control : Controls(client_)) {
        if (NoResizeCtl.contains(control->objectName()))
            continue;
        if (control->testAttribute(Qt::WA_SetFont)) {
            QFont f = control->font();
            SetFontSize(f, shell::LoadFontSize(FontSizeOf(f), density), f.pixelSize() > 0);
            control->setFont(f);
        }
        const Bounds design = shell::LoadBounds(BoundsOf(control), density);
        SetBounds(control, design);
        records_.push_back(MakeRecord(control, design));
    }
}

void FormScaler::SyncRecords()
{
    std::erase_if(records_, [this](const Record& r) {
        return r.widget.isNull() || !client_->isAncestorOf(r.widget);
    });
    for (QWidget* control : Controls(client_)) {
        const bool known = std::any_of(records_.begin(), records_.end(),
                                       [control](const Record& r) { return r.widget == control; });
        if (known || NoResizeCtl.contains(control->objectName()))
            continue;
        if (control->objectName().isEmpty())
            control->setObjectName(QString::fromStdString(shell::AddedControlName(++addedCount_)));
        records_.push_back(MakeRecord(control, shell::DesignBoundsOf(BoundsOf(control), last_)));
    }
}

void FormScaler::Apply(int width, int height)
{
    if (!Enabled || width <= 0 || height <= 0 || form_->isMinimized())
        return;
    Load();
    const shell::Factors f = shell::ResizeFactors(width, height, design_, dpiX_, dpiY_);
    SyncRecords();

    if (ResizeFont && !NoResizeFntCtl.contains(form_->objectName())) {
        QFont windowFont = client_->font();
        SetFontSize(windowFont, shell::ScaleWindowFont(windowFontSize_, f), windowPixelFont_);
        client_->setFont(windowFont);
    }

    form_->setUpdatesEnabled(false);
    for (Record& r : records_) {
        if (ResizeFont && r.ownFont) {
            QFont font = r.widget->font();
            r.appliedFont = shell::ScaleControlFont(r.fontSize, f);
            SetFontSize(font, r.appliedFont, r.pixelFont);
            r.widget->setFont(font);
        }
        r.applied = shell::ScaleBounds(r.design, f);
        SetBounds(r.widget, r.applied);
    }
    form_->setUpdatesEnabled(true);
    last_ = f;

    if (OnExitResize)
        OnExitResize(f.x, f.y);
}

void FormScaler::PlaceOnFirstShow()
{
    QScreen* screen = form_->screen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QRect outer = form_->frameGeometry();
    const Bounds placed = shell::FirstShowBounds(
        {outer.x(), outer.y(), outer.width(), outer.height()}, FormWidth, FormHeight,
        {area.x(), area.y(), area.width(), area.height()}, FormPos, form_->isMaximized());
    // The frame is the window system's: keep its extra size out of the client.
    const int frameW = outer.width() - form_->width();
    const int frameH = outer.height() - form_->height();
    form_->resize(placed.width - frameW, placed.height - frameH);
    form_->move(placed.left, placed.top);
}

bool FormScaler::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == client_ && event->type() == QEvent::Resize) {
        Apply(client_->width(), client_->height());
    } else if (watched == form_ && event->type() == QEvent::Show && !shown_) {
        shown_ = true;
        if (Enabled)
            PlaceOnFirstShow();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tavora::app
