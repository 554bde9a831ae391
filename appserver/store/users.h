#pragma once

#include "protocol/expected.h"

#include <QSqlDatabase>
#include <QString>

#include <optional>

namespace Store {

// The user a computer is registered for, with his customer account and representative.
struct SessionUser
{
    int sirano = 0;
    QString name;
    QString password;
    int active = 0;
    int userType = 0;
    QString email;
    int customerNo = 0; // 0 for a representative: he chooses a customer after the login
    QString customerCode;
    QString customerName;
    int repNo = 0; // his own number for a representative, his customer's one for a dealer
    QString repName;
    QString repEmail;
    QString repPhone;
};

// std::nullopt when the computer identifier is not registered.
Protocol::Expected<std::optional<SessionUser>> sessionUserForComputer(const QSqlDatabase &db,
                                                                      const QString &computerId);

inline bool isRepresentative(int userType)
{
    return userType == 1 || userType == 2;
}

} // namespace Store
