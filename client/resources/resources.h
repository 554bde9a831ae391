#pragma once

#include <QIcon>
#include <QPalette>
#include <QString>

#include "protocol/expected.h"

namespace Resources {

// Makes the pictures, icons and the style of the program available (under ":/varsel/").
// Any code that reads them calls this first; calling it again does nothing.
void initialise();

// The stock status of a depot (the values of the status columns), each with its legend icon.
enum class StockStatus {
    Yok = 0,         // " Yok  "
    Mevcut = 1,      // " Stok mevcut  "
    Telefon = 2,     // " Telefon Açınız  "
    Yolda = 3,       // " Yolda  "
    OzelSiparis = 4, // " Özel Sipariş  "
    Tedarik = 5,     // " Tedarik Sürecinde "
};
QIcon stockStatusIcon(StockStatus status);
// The mark of a part at its critical level (a legend entry without a status value).
QIcon criticalLevelIcon();

// A picture of the program by its file name inside the resources, e.g. "images/logo.svg".
QString path(const QString &relative);
QIcon icon(const QString &relative);

// The style sheet and the palette of the program's look, read from the resources.
Protocol::Expected<QString> styleSheet();
Protocol::Expected<QPalette> palette(const QPalette &base);

} // namespace Resources
