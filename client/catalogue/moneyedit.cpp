#include "moneyedit.h"

#include "client/session/moneyformat.h"

#include <QRegularExpressionValidator>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Catalogue {

namespace {

const QLocale &turkish()
{
    static const QLocale locale(QLocale::Turkish, QLocale::Turkey);
    return locale;
}

} // namespace

MoneyEdit::MoneyEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new QRegularExpressionValidator(QRegularExpression(u"-?[0-9.,]{0,24}"_s), this));
    showFormatted();
    connect(this, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (const auto typed = parse(text))
            m_value = *typed;
    });
}

double MoneyEdit::value() const
{
    return m_value;
}

void MoneyEdit::setValue(double value)
{
    m_value = std::isfinite(value) ? value : 0.0;
    if (hasFocus() && !isReadOnly())
        setText(plainText());
    else
        showFormatted();
}

std::optional<double> MoneyEdit::parse(const QString &text)
{
    QString t = text.trimmed();
    if (t.isEmpty() || t == u"-"_s)
        return 0.0;
    if (t.contains(u',')) {
        t.remove(u'.');
        t.replace(u',', u'.');
    } else if (t.count(u'.') > 1 || (t.count(u'.') == 1 && t.size() - t.indexOf(u'.') - 1 == 3)) {
        t.remove(u'.'); // thousands separators: "1.234", "1.234.567"
    }
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

void MoneyEdit::focusInEvent(QFocusEvent *event)
{
    if (!isReadOnly())
        setText(plainText());
    QLineEdit::focusInEvent(event);
}

void MoneyEdit::focusOutEvent(QFocusEvent *event)
{
    if (const auto typed = parse(text()))
        m_value = *typed;
    showFormatted();
    QLineEdit::focusOutEvent(event);
}

void MoneyEdit::showFormatted()
{
    setText(Session::moneyText(m_value, turkish()));
}

QString MoneyEdit::plainText() const
{
    QLocale plain = turkish();
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    // Up to the digits the value carries, without trailing zeros: 120 → "120", 83.333 → "83,333".
    QString text = plain.toString(m_value, 'f', 6);
    if (text.contains(plain.decimalPoint())) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(plain.decimalPoint()))
            text.chop(plain.decimalPoint().size());
    }
    return text == u"-0"_s ? u"0"_s : text;
}

} // namespace Catalogue
