#include "tabcaption.h"

namespace Widgets {

namespace {

// A whole decimal number with an optional sign and nothing else; anything else (blanks,
// letters, a fraction, a number beyond 32 bits) reads as 0.
int wholeNumber(QStringView text)
{
    if (text.isEmpty())
        return 0;
    qsizetype start = (text.front() == u'-' || text.front() == u'+') ? 1 : 0;
    if (start == text.size())
        return 0;
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return 0;
    }
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

QString cutTitle(QStringView title)
{
    if (title.size() <= kMaxTabTitleLength)
        return title.toString();
    qsizetype length = kMaxTabTitleLength;
    // Never leave half of a surrogate pair at the end.
    if (title[length - 1].isHighSurrogate())
        --length;
    return title.left(length).toString();
}

} // namespace

TabCaption parseTabCaption(const QString &caption)
{
    const qsizetype equals = caption.indexOf(u'=');
    if (equals < 0)
        return {caption, 0};
    const QStringView view(caption);
    return {cutTitle(view.mid(equals + 1)), wholeNumber(view.left(equals))};
}

QString tabCaptionText(int count, const QString &title)
{
    return QString::number(count) + u'=' + title;
}

} // namespace Widgets
