// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/feedline/balun_window.h"

#include "app/shell/app_context.h"
#include "app/feedline/balun_drawing.h"
#include "app/shell/dialogs.h"
#include "app/shell/error_handler.h"
#include "app/shell/help_window.h"
#include "app/shell/user_locale.h"
#include "app/shell/base_window.h"

#include "feedline/balun.h"
#include "state/design_state.h"
#include "state/errors.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

namespace tavora::app {

namespace {

constexpr QSize kWindowSize{460, 400};
constexpr QRect kPanel{20, 60, 420, 230};

class BalunPicture : public QWidget {
  public:
    using QWidget::QWidget;
    // The drawing scaled proportionally into the panel.
    QRectF DrawingRect() const
    {
        const QSizeF size = kBalunDrawingSize.scaled(QSizeF(rect().size()) * 0.96, Qt::KeepAspectRatio);
        return QRectF(QPointF((width() - size.width()) / 2, (height() - size.height()) / 2), size);
    }

  protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(135, 206, 235)); // sky blue
        DrawBalun(painter, DrawingRect());
    }
};

QLabel* OverlayLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setAutoFillBackground(true);
    QPalette white = label->palette();
    white.setColor(QPalette::Window, Qt::white);
    label->setPalette(white);
    label->setMargin(2);
    return label;
}

// Text placed with its top left corner at a point, as a text device writes it.
void TextAt(QPainter& painter, long long x, long long y, const QString& text)
{
    painter.drawText(QRectF(x, y, 1e6, 1e6), Qt::AlignLeft | Qt::AlignTop, text);
}

} // namespace

BalunWindow::BalunWindow(QWidget* owner, AppContext& context) : QDialog(owner), context_(context)
{
    setObjectName(QStringLiteral("fmBalunBox"));
    setWindowTitle(QStringLiteral("Balun"));
    setFixedSize(kWindowSize);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    setAutoFillBackground(true);
    QPalette cream = palette();
    cream.setColor(QPalette::Window, QColor(255, 251, 240));
    setPalette(cream);

    auto* heading = new QLabel(QStringLiteral("4:1 Balun Construction"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    heading->setFont(ComicFont(26));
    heading->setStyleSheet(QStringLiteral("color: blue"));
    heading->setAlignment(Qt::AlignCenter);
    heading->setGeometry(0, 10, kWindowSize.width(), 44);

    auto* picture = new BalunPicture(this);
    picture->setObjectName(QStringLiteral("Panel1"));
    picture->setGeometry(kPanel);
    picture_ = picture;
    length_ = OverlayLabel("LengthLabel", picture);
    coax_ = OverlayLabel("CoaxLabel", picture);

    print_ = new QPushButton(QStringLiteral("&Print"), this);
    print_->setObjectName(QStringLiteral("Button2"));
    print_->setGeometry(60, 320, 130, 42);
    back_ = new QPushButton(QStringLiteral("&Back"), this);
    back_->setObjectName(QStringLiteral("Button1"));
    back_->setGeometry(270, 320, 130, 42);
    connect(print_, &QPushButton::clicked, this,
            [this] { Guarded(context_.dialogs, this, [this] { Button2Click(); }); });
    connect(back_, &QPushButton::clicked, this, &QDialog::accept);
    connect(new QShortcut(Qt::Key_F1, this), &QShortcut::activated, this, [this] {
        context_.dialogs.Help(this, TopicRequest(context_.state, shell::HelpTopic::Balun));
    });
}

bool BalunWindow::event(QEvent* event)
{
    if (event->type() == QEvent::Show)
        activateWindow();
    else if (event->type() == QEvent::WindowActivate)
        FixLabels();
    return QDialog::event(event);
}

void BalunWindow::FixLabels()
{
    DesignState& state = context_.state;
    length_->setText(QString::fromStdString(BalunLengthLabel(state, UserDecimalSep())));
    coax_->setText(QString::fromStdString(FixCoaxName(state)));
    // The labels sit on the drawing: the length inside the U, the coax type
    // beside the loop's outer curve.
    const QRectF drawing = static_cast<BalunPicture*>(picture_)->DrawingRect();
    length_->adjustSize();
    // The coax type ends left of the loop, in two lines when it is long.
    const qreal coaxRight = drawing.left() + drawing.width() * kBalunCoaxLabelAt.x();
    const int oneLine = coax_->fontMetrics().horizontalAdvance(coax_->text()) +
                        2 * (coax_->margin() + coax_->frameWidth()) + 2;
    const int coaxWidth = std::min(oneLine, static_cast<int>(coaxRight));
    coax_->setWordWrap(true);
    coax_->resize(coaxWidth, coax_->heightForWidth(coaxWidth));
    length_->move(QPointF(drawing.left() + drawing.width() * kBalunLengthLabelAt.x() -
                              length_->width() / 2.0,
                          drawing.top() + drawing.height() * kBalunLengthLabelAt.y() -
                              length_->height() / 2.0)
                      .toPoint());
    coax_->move(
        QPointF(coaxRight - coaxWidth,
                drawing.top() + drawing.height() * kBalunCoaxLabelAt.y() - coax_->height() / 2.0)
            .toPoint());
}

void BalunWindow::Button2Click()
{
    PrintBalunSheet(QString::fromStdString(BalunPrintTitle(context_.state, UserDecimalSep())));
}

void BalunWindow::PrintBalunSheet(const QString& title)
{
    std::unique_ptr<QPrinter> printer = context_.dialogs.Print(this, title);
    if (!printer)
        return;
    printer->setDocName(title);
    const long long pageWidth = printer->pageLayout().paintRectPixels(printer->resolution()).width();
    const BalunSheetLayout sheet = BalunSheetGeometry(pageWidth, context_.state, UserDecimalSep());
    QPainter painter;
    if (!painter.begin(printer.get()))
        throw Error("Printer is not available");
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(kBalunTitlePoints);
    painter.setFont(QFont(font, printer.get()));
    painter.setPen(Qt::black);
    TextAt(painter, sheet.title.x, sheet.title.y, title);
    const QPointF topLeft(sheet.pictureTopLeft.x, sheet.pictureTopLeft.y);
    const QPointF bottomRight(sheet.pictureBottomRight.x, sheet.pictureBottomRight.y);
    DrawBalun(painter, QRectF(topLeft, bottomRight));
    font.setPointSize(kBalunLengthPoints);
    painter.setFont(QFont(font, printer.get()));
    TextAt(painter, sheet.length.x, sheet.length.y, QString::fromStdString(sheet.lengthText));
    painter.end();
}

} // namespace tavora::app
