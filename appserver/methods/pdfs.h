#pragma once

// PDF documents the server makes at run time (reports, receipts): an HTML body laid out by
// Qt's text engine on A4 pages. Needs the GUI application object of the server (offscreen).

#include "protocol/expected.h"

#include <QByteArray>
#include <QString>

namespace Methods {

Protocol::Expected<QByteArray> renderPdf(const QString &title, const QString &htmlBody);

// Text made safe for the HTML of a document.
QString html(const QString &text);
// 1234.5 → "1.234,50", as the documents show money.
QString moneyText(double value);
// "2025-01-15" → "15.01.2025"; other texts are returned as they are.
QString dateText(const QString &isoDate);

} // namespace Methods
