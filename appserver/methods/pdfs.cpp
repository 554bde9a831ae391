#include "pdfs.h"

#include <QBuffer>
#include <QDate>
#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QScreen>
#include <QThread>
#include <QTextDocument>

#include <mutex>

using namespace Qt::StringLiterals;

namespace Methods {

namespace {

const QString kStyle = u"<style>"
                       u"body { font-size: 8pt; }"
                       u"h1 { font-size: 14pt; margin-bottom: 2pt; }"
                       u"h2 { font-size: 11pt; margin-top: 10pt; }"
                       u"p.note { color: #555555; }"
                       u"table { border-collapse: collapse; }"
                       u"th { background-color: #e6e6e6; text-align: left; }"
                       u"td.n, th.n { text-align: right; }"
                       u"tr.sum td { font-weight: bold; }"
                       u"</style>"_s;

// Documents are laid out and written on one thread of Qt's own: the text engine starts
// timers (font caches, layout), which only a QThread can run, and the request threads are
// not Qt's. One at a time is plenty for how rarely documents are asked for.
class RenderThread final
{
public:
    RenderThread()
    {
        m_thread.setObjectName(u"pdf-render"_s);
        m_thread.start();
        m_context.moveToThread(&m_thread);
    }
    ~RenderThread()
    {
        m_thread.quit();
        m_thread.wait();
    }

    template<typename Work> void run(Work &&work)
    {
        std::lock_guard lock(m_mutex);
        if (QThread::currentThread() == &m_thread)
            work();
        else
            QMetaObject::invokeMethod(&m_context, std::forward<Work>(work), Qt::BlockingQueuedConnection);
    }

private:
    std::mutex m_mutex;
    QThread m_thread;
    QObject m_context;
};

QByteArray layOut(const QString &title, const QString &htmlBody)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setTitle(title);
    writer.setCreator(u"Varsel B2B"_s);
    writer.setResolution(300);
    const QPageLayout page(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12),
                           QPageLayout::Millimeter);
    writer.setPageLayout(page);

    QTextDocument document;
    QFont font(u"DejaVu Sans"_s);
    font.setPointSizeF(8);
    document.setDefaultFont(font);
    document.setHtml(u"<html><head>"_s + kStyle + u"</head><body>"_s + htmlBody + u"</body></html>"_s);
    // Laid out at the text engine's own resolution on the page's printable area; printing
    // scales it to the writer's.
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    const QRectF area = page.paintRect(QPageLayout::Point);
    document.setPageSize(QSizeF(area.width() * dpi / 72.0, area.height() * dpi / 72.0));
    document.print(&writer);
    buffer.close();
    return bytes;
}

} // namespace

Protocol::Expected<QByteArray> renderPdf(const QString &title, const QString &htmlBody)
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return Protocol::makeError(u"Belge oluşturulamadı: sunucu grafik altyapısı olmadan çalışıyor"_s);

    static RenderThread renderer;
    QByteArray bytes;
    renderer.run([&] { bytes = layOut(title, htmlBody); });
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
