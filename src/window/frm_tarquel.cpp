// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/frm_tarquel.h"

#include "plotting/runtime_error.h"
#include "window/canvas.h"
#include "window/layout.h"
#include "window/text.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

#include <algorithm>

namespace tarquel {

namespace {

QRect pixelRect(const layout::Label& label)
{
    return {layout::pixels(label.left), layout::pixels(label.top), layout::pixels(label.width),
            layout::pixels(label.height)};
}

} // namespace

std::vector<QLineF> axisLines()
{
    std::vector<QLineF> axes;
    axes.reserve(layout::kLines.size());
    for (const layout::Line& l : layout::kLines)
        axes.emplace_back(l.x1, l.y1, l.x2, l.y2);
    return axes;
}

QPoint placedOnScreen(const QRect& frame, const QRect& available)
{
    const auto along = [](int at, int length, int first, int end) {
        return std::max(std::min(at, end - length), first);
    };
    return {along(frame.left(), frame.width(), available.left(), available.right() + 1),
            along(frame.top(), frame.height(), available.top(), available.bottom() + 1)};
}

FrmTarquel::FrmTarquel(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(fromUtf8(layout::kFormName));
    setWindowTitle(fromUtf8(layout::kCaption));
    setFont(windowFont());

    // The window's white inside grows with the window; the client area
    // stays in its top-left corner and nothing in it moves.
    auto* inside = new QWidget(this);
    inside->setObjectName(QStringLiteral("inside"));
    inside->setAutoFillBackground(true);
    QPalette white = inside->palette();
    white.setColor(QPalette::Window, toQColor(layout::kBackground));
    inside->setPalette(white);
    canvas_ = new Canvas(layout::kClientWidth, layout::kClientHeight, inside);
    canvas_->setObjectName(QStringLiteral("client"));
    canvas_->setAccessibleName(fromUtf8(PictureDescription::kName));
    canvas_->setAccessibleDescription(fromUtf8(description_.text()));
    inside->setMinimumSize(canvas_->size());
    canvas_->setControlLines(axisLines(), toQColor(layout::kLineColour));

    for (const layout::Label& row : layout::kLabels) {
        auto* label = new QLabel(fromUtf8(row.caption), canvas_);
        label->setObjectName(fromUtf8(row.name));
        label->setGeometry(pixelRect(row));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, toQColor(row.background));
        palette.setColor(QPalette::WindowText, toQColor(layout::kLineColour));
        label->setPalette(palette);
        if (row.name == "lblResult")
            lblResult_ = label;
    }

    setCentralWidget(inside);
    buildMenu();
    // F10 opens the menu bar, as Alt does: the desktops' other convention,
    // given to the window so that no menu entry gains a shortcut.
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().value(0)); });
    resize(minimumSizeHint());
    // The stored position, unless a larger scale pushes part of the window
    // off the screen; its title bar is not known before it is shown, so the
    // style's height for one stands in.
    const QPoint stored(layout::pixels(layout::kStoredLeft), layout::pixels(layout::kStoredTop));
    const QSize frame = size() + QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    move(screen() ? placedOnScreen(QRect(stored, frame), screen()->availableGeometry()) : stored);
}

void FrmTarquel::buildMenu()
{
    QMenu* current = nullptr;
    for (std::size_t i = 0; i < layout::kMenu.size(); ++i) {
        const layout::MenuEntry& entry = layout::kMenu[i];
        // A top-level entry opens a submenu when entries below it follow.
        const bool hasChildren =
            entry.topLevel && i + 1 < layout::kMenu.size() && !layout::kMenu[i + 1].topLevel;
        QAction* action = nullptr;
        if (entry.topLevel && hasChildren) {
            current = menuBar()->addMenu(fromUtf8(entry.caption));
            current->setObjectName(fromUtf8(entry.name));
            action = current->menuAction();
        } else if (entry.topLevel) {
            current = nullptr;
            action = menuBar()->addAction(fromUtf8(entry.caption));
        } else {
            action = current->addAction(fromUtf8(entry.caption));
        }
        action->setObjectName(fromUtf8(entry.name));
        // mnuTaDisp, mnuTanIn and mnuEnd have no command and do nothing.
        if (entry.command != Command::None)
            connect(action, &QAction::triggered, this,
                    [this, command = entry.command] { choose(command); });
    }
}

void FrmTarquel::cls()
{
    cleared_ = true;
    lines_ = 0;
    canvas_->clear();
}

void FrmTarquel::line(float x1, float y1, float x2, float y2, Colour colour)
{
    ++lines_;
    canvas_->drawLine(x1, y1, x2, y2, colour);
}

void FrmTarquel::box(float x1, float y1, float x2, float y2, Colour colour)
{
    ++boxes_;
    canvas_->drawBox(x1, y1, x2, y2, colour);
}

float FrmTarquel::axisEnd(AxisLine line, EndPoint end) const
{
    // No control moves at run time: the axes stand where the layout puts them.
    const layout::Line& l = layout::line(line);
    return end == EndPoint::X1 ? l.x1 : l.y1;
}

void FrmTarquel::setResultText(std::string_view text) { lblResult_->setText(fromUtf8(text)); }

std::string FrmTarquel::inputBox(std::string_view prompt)
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(QApplication::applicationName());
    dialog.setLabelText(fromUtf8(prompt));
    dialog.setTextValue(QString());
    dialog.setInputMode(QInputDialog::TextInput);
    std::string typed =
        dialog.exec() == QDialog::Accepted ? toUtf8(dialog.textValue()) : std::string();
    typed_.push_back(typed);
    return typed;
}

void FrmTarquel::run(Command command)
{
    cleared_ = false;
    lines_ = 0;
    boxes_ = 0;
    typed_.clear();
    runCommand(command, *this, [this](const RuntimeError& failure) { showFailure(failure); });
    if (cleared_)
        description_.redrawn(lines_ > 0);
    if (boxes_ > 0)
        description_.integrated(!typed_.empty() ? typed_[0] : std::string(),
                                typed_.size() > 1 ? typed_[1] : std::string(), boxes_);
    if (cleared_ || boxes_ > 0 || lines_ > 0)
        canvas_->setAccessibleDescription(fromUtf8(description_.text()));
}

void FrmTarquel::choose(Command command)
{
    chosen_.push_back(command);
    QMetaObject::invokeMethod(this, &FrmTarquel::runChosen, Qt::QueuedConnection);
}

void FrmTarquel::runChosen()
{
    // A choice made while a command waits in a prompt is run after it.
    if (running_)
        return;
    running_ = true;
    while (!chosen_.empty()) {
        const Command command = chosen_.front();
        chosen_.pop_front();
        run(command);
    }
    running_ = false;
}

void FrmTarquel::showFailure(const RuntimeError& failure)
{
    QMessageBox::critical(this, QApplication::applicationName(),
                          QString::fromLatin1(failure.what()));
}

QImage FrmTarquel::grabClientArea() const
{
    // Rendered at the client area's own ratio, whatever the screen's.
    QImage image(canvas_->deviceSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(canvas_->pixelRatio());
    image.fill(toQColor(layout::kBackground));
    canvas_->render(&image);
    return image;
}

} // namespace tarquel
