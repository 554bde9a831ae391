#pragma once

// What the basket and the order share: the checks of a requested line and the customer a
// basket change is for.

#include "caller.h"
#include "inputs.h"

#include "protocol/expected.h"

#include <QSqlDatabase>

namespace Methods {

constexpr double kMaxBasketQuantity = 100000;
constexpr double kMaxUnitPrice = 1e9;

// A quantity, price and four rates as a client sent them.
struct RequestedLine
{
    double quantity = 0;
    double price = 0;
    double rates[4] = {};
};

// Quantity: a whole number from 1 to kMaxBasketQuantity; price: 0 to kMaxUnitPrice; rates:
// 0 to 100; tax rate 0 to 100. Anything else (negative, NaN, absurd) is refused by name.
Protocol::Expected<RequestedLine> checkedLine(double quantity, double taxRate, double price, const double rates[4]);

// The caller of a basket change for `carino`: the record's user, allowed to work for that
// customer and for the customer the record itself names; a customer must be chosen.
Protocol::Expected<Caller> basketCaller(const QSqlDatabase &db, const Protocol::TSonucBilgisi *record, int carino);

class Registry;
void registerBasketEditMethods(Registry &registry); // basketedit.cpp: add, change, delete

} // namespace Methods
