#include "window/frm_tarquel.h"

#include "plotting/runtime_error.h"
#include "window/canvas.h"
#include "window/layout.h"

#include <QApplication>
#include <QFontDatabase>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>

namespace tarquel {

namespace {

QRect pixelRect(const layout::Label& label)
{
    return {layout::pixels(label.left), layout::pixels(label.top), layout::pixels(label.width),
            layout::pixels(label.height)};
}

} // namespace

QFont windowFont()
{
    // Families that carry Hangul, nearest in look to a plain bold system font.
    const QStringList preferred{
        fromUtf8(layout::kFontFamily),      QStringLiteral("NanumGothic"),
        QStringLiteral("NanumBarunGothic"), QStringLiteral("Noto Sans CJK KR"),
        QStringLiteral("UnDotum"),          QStringLiteral("Baekmuk Gulim")};
    QString family;
    const QStringList korean = QFontDatabase::families(QFontDatabase::Korean);
    for (const QString& candidate : preferred) {
        if (korean.contains(candidate)) {
            family = candidate;
            break;
        }
    }
    if (family.isEmpty() && !korean.isEmpty())
        family = korean.front();
    QFont font(family.isEmpty() ? fromUtf8(layout::kFontFamily) : family);
    font.setPointSizeF(layout::kFontPointSize);
    font.setWeight(QFont::Bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

FrmTarquel::FrmTarquel(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(fromUtf8(layout::kFormName));
    setWindowTitle(fromUtf8(layout::kCaption));
    setFont(windowFont());

    canvas_ = new Canvas(layout::kClientWidth, layout::kClientHeight, this);
    canvas_->setObjectName(QStringLiteral("client"));
    std::vector<QLineF> axes;
    axes.reserve(layout::kLines.size());
    for (const layout::Line& l : layout::kLines)
        axes.emplace_back(l.x1, l.y1, l.x2, l.y2);
    canvas_->setControlLines(std::move(axes), toQColor(layout::kLineColour));

    for (const layout::Label& spec : layout::kLabels) {
        auto* label = new QLabel(fromUtf8(spec.caption), canvas_);
        label->setObjectName(fromUtf8(spec.name));
        label->setGeometry(pixelRect(spec));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, toQColor(spec.background));
        palette.setColor(QPalette::WindowText, toQColor(layout::kLineColour));
        label->setPalette(palette);
        if (spec.name == "lblResult")
            lblResult_ = label;
    }

    setCentralWidget(canvas_);
    buildMenu();
    move(layout::pixels(layout::kStoredLeft), layout::pixels(layout::kStoredTop));
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
                    [this, command = entry.command] { run(command); });
    }
}

void FrmTarquel::cls() { canvas_->clear(); }

void FrmTarquel::line(float x1, float y1, float x2, float y2, Colour colour)
{
    canvas_->drawLine(x1, y1, x2, y2, colour);
}

void FrmTarquel::box(float x1, float y1, float x2, float y2, Colour colour)
{
    canvas_->drawBox(x1, y1, x2, y2, colour);
}

float FrmTarquel::axisEnd(AxisLine line, EndPoint end) const
{
    // No control moves at run time: the axes stand where the layout puts them.
    const layout::Line& l = layout::line(line);
    return end == EndPoint::X1 ? l.x1 : l.y1;
}

void FrmTarquel::setResultText(const QString& text) { lblResult_->setText(text); }

QString FrmTarquel::inputBox(const QString& prompt)
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(QApplication::applicationName());
    dialog.setLabelText(prompt);
    dialog.setTextValue(QString());
    dialog.setInputMode(QInputDialog::TextInput);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

void FrmTarquel::run(Command command)
{
    runCommand(command, *this, [this](const RuntimeError& failure) { showFailure(failure); });
}

void FrmTarquel::showFailure(const RuntimeError& failure)
{
    QMessageBox::critical(this, QApplication::applicationName(), failure.report());
}

QImage FrmTarquel::grabClientArea() const { return canvas_->grab().toImage(); }

} // namespace tarquel
