#pragma once

// The account area is registered in parts, one per file.

namespace Methods {

class Registry;

void registerOrderMethods(Registry &registry);         // account.cpp: orders, statement, documents
void registerBalanceMethods(Registry &registry);       // balances.cpp
void registerAccountReportMethods(Registry &registry); // accountreports.cpp
void registerMailMethods(Registry &registry);          // mails.cpp (notices area)

} // namespace Methods
