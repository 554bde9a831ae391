#include "uppercaseedit.h"

#include <QLocale>

namespace Session {

UppercaseEdit::UppercaseEdit(QWidget *parent)
    : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, [this](const QString &text) {
        static const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
        const QString upper = turkish.toUpper(text);
        if (upper == text)
            return;
        const int fromEnd = int(text.size()) - cursorPosition();
        setText(upper);
        setCursorPosition(qMax(0, int(upper.size()) - fromEnd));
    });
}

} // namespace Session
