#pragma once

#include "protocol/expected.h"
#include "protocol/value.h"

#include <QStringList>

#include <string>
#include <vector>

// The commands that run without a window: --help, --version, --computer-id and
// `call NAME [ARG...] [--server HOST[:PORT]] [--as ID]`, the diagnostic that calls one server
// operation through the same connection, proxy and decoder as the windows and prints the answer.
namespace App {

// Takes --server HOST[:PORT] and --web-root URL out of the arguments (wherever they stand,
// up to a "--") and applies them to the program's ServerSession. The rest comes back.
Protocol::Expected<QStringList> applyServerOptions(const QStringList &arguments);

// The first argument names a windowless command.
bool isWindowlessCommand(const QStringList &arguments);
// Runs it (a QCoreApplication must exist); the exit code: 0 done, 1 failed, 2 bad usage.
int runWindowlessCommand(const QStringList &arguments);

QString usageText();

// The printed form of an answer: a table as tab-separated lines (names, kinds, one line per
// row), a scalar on one line, a record as FIELD=value lines, a stream as its size and digest.
// outputs: the out parameters, then the return value, as the proxy gives them.
std::string formatOutputs(const std::vector<Protocol::Value> &outputs);
std::string formatTable(const Protocol::ClientTable &table);

} // namespace App
