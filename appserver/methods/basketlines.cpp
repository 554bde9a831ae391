#include "basketlines.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace Methods {

Protocol::Expected<RequestedLine> checkedLine(double quantity, double taxRate, double price, const double rates[4])
{
    if (!std::isfinite(quantity) || quantity < 1 || quantity > kMaxBasketQuantity || quantity != std::floor(quantity))
        return Protocol::makeError(
            u"Geçersiz miktar: 1 ile %1 arasında bir tam sayı olmalı"_s.arg(kMaxBasketQuantity, 0, 'f', 0));
    if (!std::isfinite(price) || price < 0 || price > kMaxUnitPrice)
        return Protocol::makeError(u"Geçersiz birim fiyat"_s);
    if (!std::isfinite(taxRate) || taxRate < 0 || taxRate > 100)
        return Protocol::makeError(u"Geçersiz KDV oranı"_s);
    RequestedLine line;
    line.quantity = quantity;
    line.price = price;
    for (int i = 0; i < 4; ++i) {
        if (!std::isfinite(rates[i]) || rates[i] < 0 || rates[i] > 100)
            return Protocol::makeError(u"İndirim oranı 0 ile 100 arasında olmalı"_s);
        line.rates[i] = rates[i];
    }
    return line;
}

Protocol::Expected<Caller> basketCaller(const QSqlDatabase &db, const Protocol::TSonucBilgisi *record, int carino)
{
    auto caller = authenticateFor(db, record);
    if (!caller)
        return caller;
    if (carino <= 0)
        return Protocol::makeError(u"Sepet için önce bir cari seçilmeli"_s);
    if (auto allowed = mayUseCustomer(db, *caller, carino); !allowed)
        return allowed.error();
    return caller;
}

} // namespace Methods
