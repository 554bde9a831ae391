#include "pdfs.h"

#include <QBuffer>
#include <QDate>
#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>

#include <mutex>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

const QString kStyle = u"<style>"
                       u"body { font-size: 9pt; }"
                       u"h1 { font-size: 14pt; margin-bottom: 2pt; }"
                       u"h2 { font-size: 11pt; margin-top: 10pt; }"
                       u"p.note { color: #555555; }"
                       u"table { border-collapse: collapse; }"
                       u"th { background-color: #e6e6e6; text-align: left; }"
                       u"td.n, th.n { text-align: right; }"
                       u"tr.sum td { font-weight: bold; }"
                       u"</style>"_s;

// The font and layout machinery is shared; documents are rare enough to make them one at a time.
std::mutex g_renderMutex;

} // namespace

Protocol::Expected<QByteArray> renderPdf(const QString &title, const QString &htmlBody)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return Protocol::makeError(u"Belge oluşturulamadı: sunucu grafik altyapısı olmadan çalışıyor"_s);

    std::lock_guard lock(g_renderMutex);
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(u"Varsel B2B"_s);
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                                         QPageLayout::Millimeter));

        QTextDocument document;
        QFont font(u"DejaVu Sans"_s);
        font.setPointSizeF(9);
        document.setDefaultFont(font);
        document.setHtml(u"<html><head>"_s + kStyle + u"</head><body>"_s + htmlBody + u"</body></html>"_s);
        document.print(&writer);
    }
    if (!bytes.startsWith("%PDF"))
        return Protocol::makeError(u"Belge oluşturulamadı"_s);
    return bytes;
}

QString html(const QString &text)
{
    return text.toHtmlEscaped();
}

QString moneyText(double value)
{
    return QLocale(QLocale::Turkish, QLocale::Turkey).toString(value, 'f', 2);
}

QString dateText(const QString &isoDate)
{
    const QDate day = QDate::fromString(isoDate.left(10), Qt::ISODate);
    return day.isValid() ? day.toString(u"dd.MM.yyyy"_s) : isoDate;
}

} // namespace Methods
