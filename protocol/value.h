#pragma once

#include "clienttable.h"
#include "records.h"

#include <QByteArray>
#include <QString>

#include <variant>

namespace Protocol {

// A byte stream result with the size the server announced beside it (they may differ).
struct Stream
{
    qint64 announcedSize = 0;
    QByteArray bytes;
    bool operator==(const Stream &) const = default;
};

// One parameter or result value as it travels. std::monostate is JSON null (a missing object).
using Value = std::variant<std::monostate,
                           QString,
                           qint32,
                           qint64,
                           double,
                           bool,
                           ClientTable,
                           Stream,
                           TSonucBilgisi,
                           TSiparisDipAyrinti,
                           TTusSonuclari,
                           TAcilisEkran,
                           TAcilisEkranlariki,
                           TMobilCariBilgisi>;

} // namespace Protocol
