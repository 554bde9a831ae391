#include "messagewindow.h"

#include "client/platform/linuxservices.h"
#include "client/platform/services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace Session {

namespace {

int g_fontPoints = 15;

QStyle::StandardPixmap iconFor(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case DialogKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case DialogKind::Information:
        return QStyle::SP_MessageBoxInformation;
    case DialogKind::Question:
        return QStyle::SP_MessageBoxQuestion;
    }
    return QStyle::SP_MessageBoxInformation;
}

Platform::Sound soundFor(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Warning:
        return Platform::Sound::Exclamation;
    case DialogKind::Error:
        return Platform::Sound::Error;
    case DialogKind::Information:
        return Platform::Sound::Information;
    case DialogKind::Question:
        return Platform::Sound::Question;
    }
    return Platform::Sound::Beep;
}

QMessageBox::Icon boxIconFor(DialogKind kind)
{
    switch (kind) {
    case DialogKind::Warning:
        return QMessageBox::Warning;
    case DialogKind::Error:
        return QMessageBox::Critical;
    case DialogKind::Information:
        return QMessageBox::Information;
    case DialogKind::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QWidget *ownerWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

MessageWindow::MessageWindow(const DialogRequest &request, QWidget *owner)
    : QDialog(owner)
    , m_request(request)
{
    setWindowTitle(dialogTitle(request.kind));
    setObjectName(u"MessageWindow"_s);

    auto *icon = new QLabel(this);
    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(iconFor(request.kind), nullptr, this).pixmap(iconSize));
    icon->setAlignment(Qt::AlignTop);

    QString shown = request.text;
    shown.replace(u"\r\n"_s, u"\n"_s);
    auto *text = new QLabel(shown, this);
    text->setObjectName(u"message"_s);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    QFont font = text->font();
    font.setPointSize(g_fontPoints);
    text->setFont(font);
    // As wide as the longest line needs, within bounds; longer lines wrap.
    int widest = 0;
    const QFontMetrics metrics(font);
    for (const QString &line : shown.split(u'\n'))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    text->setMinimumWidth(qBound(200, widest + 4, 560));

    auto *top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(icon);
    top->addWidget(text, 1);

    // The Tab order follows the order of creation (setTabOrder of this Qt cannot move a
    // widget before its predecessor): the first button named, then the others as laid out.
    const QList<DialogButton> order = orderedButtons(request.buttons);
    QList<DialogButton> tabOrder;
    if (order.contains(request.firstButton))
        tabOrder.append(request.firstButton);
    for (DialogButton which : order) {
        if (which != request.firstButton)
            tabOrder.append(which);
    }
    for (DialogButton which : tabOrder) {
        auto *b = new QPushButton(buttonCaption(which), this);
        b->setMinimumWidth(90);
        b->setAutoDefault(true);
        m_buttons.insert(which, b);
        if (which != DialogButton::Help) // help has no result and nothing to open
            connect(b, &QPushButton::clicked, this, [this, which] { finishWith(which); });
    }
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (DialogButton which : order)
        row->addWidget(m_buttons.value(which));
    row->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(18);
    layout->addLayout(top);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (QPushButton *def = m_buttons.value(defaultButton(request.buttons))) {
        def->setDefault(true);
        def->setFocus(Qt::OtherFocusReason);
    } else if (!tabOrder.isEmpty()) {
        m_buttons.value(tabOrder.first())->setFocus(Qt::OtherFocusReason);
    }
}

void MessageWindow::setFontPointSize(int points)
{
    if (points > 0)
        g_fontPoints = points;
}

int MessageWindow::fontPointSize()
{
    return g_fontPoints;
}

void MessageWindow::finishWith(DialogButton which)
{
    m_answer = which;
    done(int(which));
}

void MessageWindow::reject()
{
    const DialogButton esc = escapeButton(m_request.buttons);
    if (esc != DialogButton::None)
        finishWith(esc);
}

void MessageWindow::closeEvent(QCloseEvent *event)
{
    // The close box answers as Escape does; a dialog without an Escape button reads it as "Vazgeç".
    if (m_answer == DialogButton::None) {
        const DialogButton esc = escapeButton(m_request.buttons);
        finishWith(esc != DialogButton::None ? esc : DialogButton::Cancel);
    }
    event->accept();
}

void MessageWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    adjustSize();
    QRect area;
    if (QWidget *owner = parentWidget(); owner && owner->isVisible())
        area = owner->window()->frameGeometry();
    else if (QScreen *s = screen())
        area = s->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
    Platform::services().beep(soundFor(m_request.kind));
}

DialogButton WindowPresenter::present(const DialogRequest &request)
{
    if (request.plain) {
        // The plain box of a message (the platform's own) carries no icon; warnings and errors do.
        const QMessageBox::Icon icon
            = request.kind == DialogKind::Information ? QMessageBox::NoIcon : boxIconFor(request.kind);
        QMessageBox box(icon, QGuiApplication::applicationDisplayName(),
                        request.text, QMessageBox::Ok, ownerWindow());
        box.button(QMessageBox::Ok)->setText(buttonCaption(DialogButton::Ok));
        Platform::services().beep(soundFor(request.kind));
        box.exec();
        return DialogButton::Ok;
    }
    MessageWindow window(request, ownerWindow());
    window.exec();
    return window.answer();
}

void installDialogWindow()
{
    static WindowPresenter presenter;
    installPresenter(&presenter);
    Platform::LinuxServices::setBeepHandler([](Platform::Sound) { QApplication::beep(); });
}

} // namespace Session
