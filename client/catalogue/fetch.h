#pragma once

#include "client/server/connection.h"

#include "protocol/clienttable.h"
#include "protocol/expected.h"
#include "protocol/records.h"

#include <optional>

// The server calls of the catalogue. The background ones run on a worker with a connection copy
// of their own (opened with retry, report now false) and only build the table they return.
namespace Catalogue {

// StokAraGetirZerva with the search text as it stands in the box and a copy of the session
// record. An answer without the column IND1 is a failure like an unreachable server.
Protocol::Expected<Protocol::ClientTable> searchStock(Server::Connection copy, const QString &text,
                                                      Protocol::TSonucBilgisi session);

// YenilerVer2 for the customer account.
Protocol::Expected<Protocol::ClientTable> fetchNewProducts(Server::Connection copy, qint32 carino);

// KampanyaliVer2 for the customer account and the user type.
Protocol::Expected<Protocol::ClientTable> fetchCampaignProducts(Server::Connection copy, qint32 carino,
                                                                qint32 musteriTipi);

// StokHareketVer on the UI thread with a copy of the main connection. A connection that cannot be
// opened or a failed call has been shown to the user already; both give nullopt.
std::optional<Protocol::ClientTable> fetchStockMovements(const Server::Connection &bagc, qint32 carino, qint32 stokno);

} // namespace Catalogue
